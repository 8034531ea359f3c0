"""Plays one seeded round by keys, with accessibility on, and listens on a private AT-SPI
bus as a screen reader does. Fails unless every card, with who played it, and every
trick's winner reach the listener as text, and the table's description names the same
player for each card. Usage: atspi-listen.py <tolvanmere>; exits 77 where its tools are missing."""
import os, re, shutil, subprocess, sys

if "TOLVANMERE_A11Y_BUS" not in os.environ:
    missing = [t for t in ("dbus-run-session", "Xvfb", "xdotool") if not shutil.which(t)]
    missing += [] if os.path.exists("/usr/libexec/at-spi-bus-launcher") else ["at-spi2-core"]
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        missing.append("python3-pyatspi")
    if missing:
        print("SKIP: not installed:", " ".join(missing))
        sys.exit(77)
    os.environ["TOLVANMERE_A11Y_BUS"] = "1"
    os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable] + sys.argv)

xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24"],
                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
os.environ["DISPLAY"] = ":" + xvfb.stdout.readline().decode().strip()
bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
import pyatspi  # noqa: E402  (after the bus is there)
from gi.repository import GLib  # noqa: E402

news, descriptions = [], []


def on_focus(event):
    try:
        if not event.detail1 or event.source.getRole() == pyatspi.ROLE_CANVAS:
            return
        news.append(event.source.name or "")
    except Exception as error:  # an object gone before it was read is news lost
        news.append("unreadable: %s" % error)
        return
    if "Your turn" in news[-1]:
        subprocess.run(["xdotool", "key", "Right", "Return"])
    if news[-1].startswith("Round 1 is over"):
        pyatspi.Registry.stop()


def on_description(event):
    event.source.clearCache()
    descriptions.append(event.source.description or "")


pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
pyatspi.Registry.registerEventListener(on_description, "object:property-change:accessible-description")
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", TOLVANMERE_SEED="4",
           QT_QPA_PLATFORM="xcb", LANGUAGE="en", LC_ALL="C.UTF-8")
game = subprocess.Popen([sys.argv[1]], env=env)


def xdo(*args):
    return subprocess.run(["xdotool"] + list(args), capture_output=True, text=True).stdout.split()


table = xdo("search", "--sync", "--onlyvisible", "--name", "Tolvanmere")[0]
xdo("windowfocus", "--sync", table)
xdo("key", "ctrl+n")
dialog = xdo("search", "--sync", "--onlyvisible", "--name", "New Game")[0]
xdo("windowfocus", "--sync", dialog)
xdo("type", "Blindy")
xdo("key", "Return")
xdo("windowfocus", "--sync", table)
GLib.timeout_add_seconds(300, pyatspi.Registry.stop)
pyatspi.Registry.start()
game.terminate(), bus.terminate(), xvfb.terminate()

RANKS = "Two Three Four Five Six Seven Eight Nine Ten Jack Queen King Ace".split()
play_re = re.compile(r"(?:Round \d+\. )?(You play|(.+) plays) the ((\w+) of (\w+))\.$")
win_re = re.compile(r"(?:Round \d+\. )?(You|(.+)) took the trick\.$")
events = []  # ("play", player, card, rank, suit) or ("win", player)
for text in news:
    if m := play_re.match(text):
        events.append(("play", m.group(2) or "you", m.group(3), RANKS.index(m.group(4)), m.group(5)))
    elif m := win_re.match(text):
        events.append(("win", m.group(2) or "you"))
faults = []
if [e[0] for e in events] != (["play"] * 4 + ["win"]) * 13:
    faults.append("not four cards then the winner, 13 times: %s" % [e[0] for e in events])
plays = [e for e in events if e[0] == "play"]
if len({p[2] for p in plays}) != 52 or any(sum(p[1] == q[1] for q in plays) != 13 for p in plays):
    faults.append("not 52 different cards, 13 from each player")
leader = None
for trick, win in zip(zip(*[iter(plays)] * 4), [e for e in events if e[0] == "win"]):
    best = max(trick, key=lambda p: (p[4] == "Spades", p[4] == trick[0][4], p[3]))
    if len({p[1] for p in trick}) != 4 or best[1] != win[1] or leader not in (None, trick[0][1]):
        faults.append("trick %s: winner said %s" % ([p[1:3] for p in trick], win[1]))
    leader = win[1]
for p in plays:
    if not any("%s by %s" % (p[2], p[1]) in d for d in descriptions):
        faults.append("no description names %s by %s" % (p[2], p[1]))
if not any("Round summary" in n and "Tricks taken" in n for n in news):
    faults.append("no summary with the tricks taken")
print("\n".join(faults) or "%d news, %d descriptions: every card and winner heard" % (len(news), len(descriptions)))
sys.exit(1 if faults else 0)
