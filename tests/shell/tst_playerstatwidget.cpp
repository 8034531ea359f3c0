#include "PlayerStatWidget.h"
#include "ShellTestSupport.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <QTextDocument>

class TestPlayerStatWidget : public QObject
{
    Q_OBJECT

private:
    QLabel *label(PlayerStatWidget &panel, const char *name)
    {
        QLabel *l = panel.findChild<QLabel *>(QLatin1String(name));
        if (!l)
            qFatal("missing label %s", name);
        return l;
    }
    QLabel *rowLabel(PlayerStatWidget &panel, int row, const char *part)
    {
        const QByteArray name = "labelPlayer" + QByteArray::number(row) + part;
        return label(panel, name.constData());
    }

private slots:
    void startsWithFormTexts()
    {
        PlayerStatWidget panel;
        QCOMPARE(label(panel, "labelRound")->text(), QStringLiteral("-"));
        QCOMPARE(rowLabel(panel, 1, "Name")->text(), QStringLiteral("-"));
        QCOMPARE(rowLabel(panel, 4, "Points")->text(), QStringLiteral("()"));
        QCOMPARE(rowLabel(panel, 2, "Tricks")->text(), QStringLiteral("-/-"));
        QVERIFY(label(panel, "labelShortcall")->isHidden());
        QCOMPARE(rowLabel(panel, 3, "Name")->textFormat(), Qt::RichText);
    }

    void ordersByPointsKeepingSeatOrder_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<QList<int>>("points");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("tie kept in seat order") << QList<int>{3, 7, 7, -2}
                                                << QStringList{"B", "C", "A", "D"};
        QTest::newRow("all equal") << QList<int>{0, 0, 0, 0} << QStringList{"A", "B", "C", "D"};
        QTest::newRow("reversed") << QList<int>{-5, 1, 20, 100}
                                  << QStringList{"D", "C", "B", "A"};
        // clang-format on
    }
    void ordersByPointsKeepingSeatOrder()
    {
        QFETCH(QList<int>, points);
        QFETCH(QStringList, rows);
        GameState state;
        std::vector<Player> players;
        const char *names[] = {"A", "B", "C", "D"};
        for (int i = 0; i < 4; ++i)
            players.push_back(makePlayer(names[i], points[i], 0, 0));
        GameStateTestAccess::stage(state, 3, players);
        PlayerStatWidget panel;
        panel.updateStatistics(state);
        QCOMPARE(label(panel, "labelRound")->text(), QStringLiteral("3"));
        for (int row = 1; row <= 4; ++row) {
            const QString name = rows[row - 1];
            const int p = points[name.at(0).unicode() - 'A'];
            QVERIFY(rowLabel(panel, row, "Name")->text().contains(">" + name + "<"));
            QVERIFY(rowLabel(panel, row, "Points")->text().contains(QStringLiteral("(%1)").arg(p)));
        }
    }

    void coloursFollowTheCallTest_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<int>("call");
        QTest::addColumn<int>("tricks");
        QTest::addColumn<int>("others_call");
        QTest::addColumn<bool>("green");
        // Others' calls decide whether the round is a shortcall round (sum <= 12).
        QTest::newRow("shortcall over") << 3 << 4 << 3 << false;
        QTest::newRow("shortcall exact") << 3 << 3 << 3 << true;
        QTest::newRow("shortcall under") << 3 << 2 << 3 << false;
        QTest::newRow("normal over") << 3 << 4 << 4 << true;
        QTest::newRow("normal exact") << 3 << 3 << 4 << true;
        QTest::newRow("normal under") << 3 << 2 << 4 << false;
        // clang-format on
    }
    void coloursFollowTheCallTest()
    {
        QFETCH(int, call);
        QFETCH(int, tricks);
        QFETCH(int, others_call);
        QFETCH(bool, green);
        GameState state;
        GameStateTestAccess::stage(
            state, 2,
            {makePlayer("Me", 50, call, tricks), makePlayer("X", 0, others_call, 0),
             makePlayer("Y", 0, others_call, 0), makePlayer("Z", 0, others_call, 0)});
        PlayerStatWidget panel;
        panel.updateStatistics(state);
        const QString colour = green ? "#017d09" : "#940002";
        QCOMPARE(rowLabel(panel, 1, "Name")->text(),
                 QStringLiteral("<span style=\"color: %1;\">Me</span>").arg(colour));
        QCOMPARE(rowLabel(panel, 1, "Points")->text(),
                 QStringLiteral("<span style=\"color: %1;\">(50)</span>").arg(colour));
        QCOMPARE(rowLabel(panel, 1, "Tricks")->text(),
                 QStringLiteral("<span style=\"color: %1;\">%2/%3</span>")
                     .arg(colour)
                     .arg(tricks)
                     .arg(call));
    }

    void roundOneIsAllGreenWithNegativePoints()
    {
        GameState state;
        GameStateTestAccess::stage(state, 1,
                                   {makePlayer("A", -7, 0, 0), makePlayer("B", 0, 0, 2),
                                    makePlayer("C", 0, 0, 0), makePlayer("D", 0, 0, 0)});
        PlayerStatWidget panel;
        panel.updateStatistics(state);
        for (int row = 1; row <= 4; ++row)
            QVERIFY(rowLabel(panel, row, "Tricks")->text().contains("#017d09"));
        QCOMPARE(rowLabel(panel, 4, "Points")->text(),
                 QStringLiteral("<span style=\"color: #017d09;\">(-7)</span>"));
        QVERIFY(rowLabel(panel, 1, "Tricks")->text().contains(">2/0<"));
        QVERIFY(label(panel, "labelShortcall")->isHidden());
    }

    void shortcallNoticeFollowsTheCalls()
    {
        GameState state;
        std::vector<Player> players = {makePlayer("A", 0, 3, 0), makePlayer("B", 0, 3, 0),
                                       makePlayer("C", 0, 3, 0), makePlayer("D", 0, 3, 0)};
        GameStateTestAccess::stage(state, 2, players);
        PlayerStatWidget panel;
        panel.updateStatistics(state);
        QLabel *notice = label(panel, "labelShortcall");
        QVERIFY(!notice->isHidden());
        QVERIFY(notice->text().contains("Shortcall"));
        players[0].call = 4;  // 13: a normal round
        GameStateTestAccess::stage(state, 2, players);
        panel.updateStatistics(state);
        QVERIFY(notice->isHidden());
    }

    void namesAreTextNotMarkup_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::newRow("markup") << QStringLiteral("<b>Bo</b>&amp;");
        QTest::newRow("utf-8") << QStringLiteral("Zoë Łukasz");
        QTest::newRow("cjk") << QStringLiteral("李雷");
        // clang-format on
    }
    void namesAreTextNotMarkup()
    {
        QFETCH(QString, name);
        GameState state;
        GameStateTestAccess::stage(state, 1,
                                   {makePlayer(name.toStdString(), 9, 0, 0),
                                    makePlayer("B", 0, 0, 0), makePlayer("C", 0, 0, 0),
                                    makePlayer("D", 0, 0, 0)});
        PlayerStatWidget panel;
        panel.updateStatistics(state);
        QLabel *l = rowLabel(panel, 1, "Name");
        QTextDocument doc;
        doc.setHtml(l->text());
        QCOMPARE(doc.toPlainText(), name);
        // Screen readers get the row in words too, never its markup.
        const QAccessibleInterface *row = QAccessible::queryAccessibleInterface(l);
        QCOMPARE(row->text(QAccessible::Name), doc.toPlainText());
        QVERIFY(row->text(QAccessible::Description).startsWith(doc.toPlainText() + ": points (9)"));
    }
};

QTEST_MAIN(TestPlayerStatWidget)
#include "tst_playerstatwidget.moc"
