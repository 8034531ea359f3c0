#include "AppIdentity.h"
#include "GraphicsView.h"
#include "MainWindow.h"
#include "Settings.h"
#include "ShellTestSupport.h"

#include <QScreen>
#include <QTest>

#include <cstdlib>

// Run by wayland-check.sh on a headless weston of a given size: a compositor ends a
// client at once whose window breaks the size it configured.
class TestWayland : public QObject
{
    Q_OBJECT

private slots:
    void playsIntoARoundOnTheScreen()
    {
        if (QGuiApplication::platformName() != QStringLiteral("wayland"))
            QSKIP("needs QT_QPA_PLATFORM=wayland and a compositor");
        std::srand(11);
        applyApplicationIdentity();
        animation_speed = 0;
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize screen = window.screen()->geometry().size();
        QTRY_VERIFY(window.isMaximized());
        QVERIFY2(window.frameGeometry().height() <= screen.height()
                     && window.minimumSize().height() < screen.height(),
                 qPrintable(QStringLiteral("window %1 high on a screen %2 high")
                                .arg(window.frameGeometry().height())
                                .arg(screen.height())));

        answerNewGameDialog(QStringLiteral("Ann"));
        window.actionHandler().newGameAction()->trigger();
        for (int played = 0; played < 2; ++played) {
            QTRY_VERIFY_WITH_TIMEOUT(!clickableHumanCards(window).isEmpty(), 20000);
            QVERIFY(playHumanCard(window));
        }
        QTRY_VERIFY_WITH_TIMEOUT(window.gameState().getCompletedTricks() >= 2, 20000);
        QTest::qWait(200);  // a protocol error would have ended the program by now
    }
};

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"
