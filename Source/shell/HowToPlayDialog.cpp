#include "HowToPlayDialog.h"

#include "GameRules.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

HowToPlayDialog::HowToPlayDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("How to Play"));
    auto *layout = new QVBoxLayout(this);
    text = new QTextBrowser(this);
    text->setOpenLinks(false);
    text->setHtml(rulesHtml()
                  + QStringLiteral("<p>%1</p>")
                        .arg(tr("Screen readers such as Orca speak the game as it goes: every "
                                "card as it is played and by whom, who takes each trick, your "
                                "turn with the cards you may play, and the round summary.")));
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, 520);
}

QString HowToPlayDialog::rulesHtml()
{
    return tr("<h2>How to Play</h2>"
              "<p>You play against three computer players. Each round deals 13 cards to each "
              "player; whoever plays the best card of a trick takes it and leads the next one. "
              "<b>Spades are always trump.</b></p>"
              "<ul>"
              "<li>You must follow the suit led. If you cannot, you must play a spade; if a spade "
              "is already in the trick, you must beat it when you can. Otherwise any card "
              "goes.</li>"
              "<li>On your turn your label is marked and <i>Your turn</i> shows beside your hand. "
              "Only the cards you may play rise under the pointer: click one to play it.</li>"
              "<li>The first round has no calls: every trick is a point.</li>"
              "<li>From the second round on, every player calls the number of tricks they "
              "undertake to take. A call made scores its value, a call missed costs its value; "
              "tricks beyond the call earn nothing.</li>"
              "<li>When the four calls add up to %1 or less the round is a <b>Shortcall</b> "
              "round: a call counts as made only when it is made exactly.</li>"
              "<li>Between rounds the summary shows the standings and your new hand: set your "
              "call with <b>+ Call +</b> and <b>- Call -</b> (%2 to %3) and press "
              "<b>Continue</b>, or <b>End Game</b>. <i>sideoff</i> beside a computer player's "
              "call means that its new hand lacks a whole suit.</li>"
              "</ul>"
              "<p>A table label such as <i>Ann (12) - 2/4</i> reads: Ann has 12 points and has "
              "taken 2 tricks of a call of 4. The panel beside the table shows the same, green "
              "while a player's call is met and red while it is not.</p>"
              "<p><b>New Game...</b> (Ctrl+N) starts a game; <b>Learning Mode</b> shows the "
              "computer players' cards face up. <b>Options &gt; Animation Speed</b> chooses how "
              "fast cards move.</p>")
               .arg(rules::shortcallMaxTotal)
               .arg(rules::lowestCall)
               .arg(rules::highestCall)
           + tr("<p><b>Scores</b> (S) opens the score sheet: every round's calls, tricks and "
                "points, and a chart of the totals. <b>Last Trick</b> (L) shows the cards of "
                "the last trick and who took it, until the next key or click. After "
                "<b>End Game</b> the summary names the winner.</p>")
           + tr("<p><b>Review</b> (R, or the summary's <b>Review</b>) opens the round review "
                "once a round has ended: every trick with who led, each player's card and who "
                "took it, and beside each of your cards the card an Expert would have played "
                "and the points your choice cost, where that is a quarter of a point or more. "
                "Its round box steps back to earlier rounds; it stays open after <b>End "
                "Game</b>.</p>")
           + tr("<p><b>Options &gt; Opponents</b> chooses <b>Standard</b> or <b>Expert</b> "
                "computer players from the next new game on. An Expert tries each card it may "
                "play in many deals of the cards it cannot see and plays the one that scores "
                "best.</p>"
                "<p>In Learning Mode the round summary suggests the call with the best "
                "expected score against the three calls already made, and tells how often the "
                "call you set is made in your hand's simulated rounds. The amber outline and "
                "<b>Hint</b> (H) mark the card an Expert would play; after H, Enter plays "
                "it.</p>");
}
