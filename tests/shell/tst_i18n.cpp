#include "AboutBox.h"
#include "AppIdentity.h"
#include "CardGraphicsItem.h"
#include "CountText.h"
#include "GameScene.h"
#include "HowToPlayDialog.h"
#include "IsolatedName.h"
#include "MainUIActionHandler.h"
#include "MainWindow.h"
#include "NewGameDialog.h"
#include "PlayerStatWidget.h"
#include "ShellTestSupport.h"
#include "Translations.h"
#include "TrickCompleteScene.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGraphicsRectItem>
#include <QGraphicsTextItem>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

const QString mark_open = QStringLiteral("\u27e6");
const QString mark_close = QStringLiteral("\u27e7");
const QChar fsi(0x2068);
const QChar pdi(0x2069);

// Every text that goes through the translation function comes back marked; a text on
// screen without the mark never went through it.
class PseudoTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return mark_open + QString::fromUtf8(source) + mark_close;
    }
};

struct ShownText {
    QString where;
    QString text;
};

void collectFromWidget(QWidget *root, QList<ShownText> &out)
{
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *w : widgets) {
        const QString name = QStringLiteral("%1 %2").arg(
            QLatin1String(w->metaObject()->className()), w->objectName());
        if (w->isWindow())
            out.append({name + " title", w->windowTitle()});
        out.append({name + " tool tip", w->toolTip()});
        out.append({name + " status tip", w->statusTip()});
        out.append({name + " what's this", w->whatsThis()});
        out.append({name + " accessible name", w->accessibleName()});
        out.append({name + " accessible description", w->accessibleDescription()});
        if (auto *label = qobject_cast<QLabel *>(w))
            out.append({name, label->text()});
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            out.append({name, button->text()});
        if (auto *box = qobject_cast<QGroupBox *>(w))
            out.append({name, box->title()});
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            out.append({name + " placeholder", edit->placeholderText()});
        if (auto *menu = qobject_cast<QMenu *>(w))
            out.append({name, menu->title()});
        if (auto *browser = qobject_cast<QTextBrowser *>(w))
            out.append({name, browser->toPlainText()});
    }
    for (QAction *action : root->findChildren<QAction *>()) {
        out.append({"QAction " + action->objectName(), action->text()});
        out.append({"QAction " + action->objectName() + " tool tip", action->toolTip()});
        out.append({"QAction " + action->objectName() + " status tip", action->statusTip()});
    }
}

void collectFromScene(QGraphicsScene *scene, const QString &where, QList<ShownText> &out)
{
    for (QGraphicsItem *item : scene->items()) {
        out.append({where + " item tool tip", item->toolTip()});
        if (auto *text = dynamic_cast<QGraphicsTextItem *>(item))
            out.append({where + " text item", text->toPlainText()});
        if (auto *text = dynamic_cast<QGraphicsSimpleTextItem *>(item))
            out.append({where + " simple text item", text->text()});
    }
}

// A text put together from several translated pieces (a table of rich text) is judged
// piece by piece: one piece left out must not hide behind its neighbours' marks.
void collectBlocks(const QString &html, const QString &where, QList<ShownText> &out)
{
    QTextDocument doc;
    doc.setHtml(html);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        out.append({where + " block", block.text()});
}

struct TsEntry {
    QString context;
    QString source;
    QString translation;
    QString type;  // "", "unfinished", "obsolete", "vanished"
};

QList<TsEntry> readTs(const QString &path, QString *language = nullptr)
{
    QList<TsEntry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context;
    TsEntry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"TS" && language)
            *language = xml.attributes().value(QStringLiteral("language")).toString();
        else if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"message")
            entry = TsEntry{context, {}, {}, {}};
        else if (xml.name() == u"source")
            entry.source = xml.readElementText();
        else if (xml.name() == u"translation") {
            entry.type = xml.attributes().value(QStringLiteral("type")).toString();
            // Plural forms are kept as <numerusform> children; all must be filled.
            entry.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            entries.append(entry);
        }
    }
    return entries;
}

QSet<QString> placeholders(const QString &text)
{
    QSet<QString> found;
    static const QRegularExpression re(QStringLiteral("%L?\\d+|%n"));
    for (auto it = re.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

QString describe(const TsEntry &e)
{
    return QStringLiteral("%1 \"%2\"").arg(e.context, e.source);
}

QString tsDir()
{
    return QStringLiteral(TOLVANMERE_SOURCE_DIR "/translations");
}

}  // namespace

class TestI18n : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { applyApplicationIdentity(); }

    void everyShownTextIsTranslatable()
    {
        auto pseudo = std::make_unique<PseudoTranslator>();
        QCoreApplication::installTranslator(pseudo.get());

        const QString name = QStringLiteral("Ann");
        QList<ShownText> shown;
        QSet<QString> player_names = {"Human", "Ezio", "Lara", "Wei"};
        {
            MainWindow window;
            window.show();
            answerNewGameDialog(name);
            window.actionHandler().newGameAction()->trigger();
            QCOMPARE(window.gameState().getRound(), 1u);
            collectFromWidget(&window, shown);
            collectFromScene(&window.gameScene(), "GameScene", shown);
            for (const Player &p : window.gameState().getPlayers())
                player_names.insert(QString::fromStdString(p.name));

            NewGameDialog dialog(&window);
            dialog.show();
            collectFromWidget(&dialog, shown);
            AboutBox about(&window);
            about.show();
            collectFromWidget(&about, shown);
            HowToPlayDialog how_to_play(&window);
            how_to_play.show();
            collectFromWidget(&how_to_play, shown);
            collectBlocks(MainUIActionHandler::keysText(), "Keys box", shown);
        }
        const std::vector<Player> players = {
            makePlayer("Human", 10, 7, 0),
            makePlayer("Ezio", 25, 4, 0, {makeCard(Spades, 1)}),  // lacks a suit
            makePlayer("Lara", 25, 3, 0), makePlayer("Wei", -5, 5, 0)};
        for (Player p : players) {
            for (int v = 1; v <= 13; ++v)
                p.hand.cards.push_back(makeCard(Hearts, v));
        }
        TrickCompleteScene summary(players, 0);
        Coach::Histogram rounds{};
        rounds[3] = 1;
        summary.showCoachAdvice(3, rounds);
        collectFromScene(&summary, "TrickCompleteScene", shown);
        shown.append({"TrickCompleteScene accessible summary", summary.accessibleSummary()});
        QCoreApplication::removeTranslator(pseudo.get());

        // Not for translation: the window title, the program's name, the players' names.
        QSet<QString> exceptions = player_names;
        exceptions << QStringLiteral("%1 %2").arg(QCoreApplication::applicationName(),
                                                  QCoreApplication::applicationVersion())
                   << QCoreApplication::applicationName();
        QStringList untranslated;
        int checked = 0;
        for (const ShownText &s : shown) {
            QTextDocument doc;  // labels may hold markup: judge the words a player reads
            doc.setHtml(s.text);
            QString plain = Qt::mightBeRichText(s.text) ? doc.toPlainText() : s.text;
            plain.remove(fsi).remove(pdi).remove(QChar(0x200e)).remove(QChar(0x200f));
            if (std::none_of(plain.begin(), plain.end(), [](QChar c) { return c.isLetter(); }))
                continue;  // numbers and punctuation only
            if (exceptions.contains(plain.trimmed()))
                continue;
            ++checked;
            if (!s.text.contains(mark_open))
                untranslated << QStringLiteral("%1: \"%2\"").arg(s.where, plain);
        }
        QVERIFY2(untranslated.isEmpty(),
                 qPrintable("Not through tr():\n" + untranslated.join('\n')));
        QVERIFY2(checked >= 30, qPrintable(QString::number(checked)));  // the scan saw the texts
    }

    // Lists every entry still to do, so the remaining work is plain: texts in the code that
    // the .ts files lack yet (refresh them), unfinished and obsolete entries, and
    // translations whose %1 ... markers differ from the source's.
    void translationsAreComplete()
    {
        const QStringList ts_files = QDir(tsDir()).entryList({"*.ts"}, QDir::Files);
        QVERIFY(ts_files.contains("tolvanmere_de.ts") && ts_files.contains("tolvanmere_fr.ts"));
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        QStringList problems;
        for (const QString &ts : ts_files) {
            const QString committed = tsDir() + '/' + ts;
            QString language;
            const QList<TsEntry> stored = readTs(committed, &language);
            QVERIFY2(!stored.isEmpty(), qPrintable(ts));
            QVERIFY2(!language.isEmpty(), qPrintable(ts + ": no language attribute"));
            QSet<QString> known;
            for (const TsEntry &e : stored) {
                known.insert(e.context + '\n' + e.source);
                if (e.type == u"obsolete" || e.type == u"vanished")
                    problems << ts + ": " + e.type + ": " + describe(e);
            }

            // The texts of the code as they are now, merged into a copy.
            const QString copy = temp.filePath(ts);
            QVERIFY(QFile::copy(committed, copy));
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
            QProcess lupdate;
            lupdate.start(QStringLiteral(TOLVANMERE_LUPDATE),
                          {"-silent", "-no-obsolete", "-locations", "none",
                           TOLVANMERE_SOURCE_DIR "/Source/table",
                           TOLVANMERE_SOURCE_DIR "/Source/summary",
                           TOLVANMERE_SOURCE_DIR "/Source/shell", "-ts", copy});
            QVERIFY(lupdate.waitForFinished(60000));
            QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());

            const QList<TsEntry> current = readTs(copy);
            QVERIFY(current.size() > 30);
            QSet<QString> in_code;
            for (const TsEntry &e : current)
                in_code.insert(e.context + '\n' + e.source);
            for (const TsEntry &e : stored)
                if (e.type.isEmpty() && !in_code.contains(e.context + '\n' + e.source))
                    problems
                        << ts + ": no longer in the code (build the target update_translations): "
                               + describe(e);
            for (const TsEntry &e : current) {
                if (!known.contains(e.context + '\n' + e.source))
                    problems
                        << ts + ": not in the file yet (build the target update_translations): "
                               + describe(e);
                else if (e.type == u"unfinished" || e.translation.isEmpty())
                    problems << ts + ": unfinished: " + describe(e);
                else if (placeholders(e.translation) != placeholders(e.source))
                    problems << ts + ": markers differ: " + describe(e) + " -> " + e.translation;
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable('\n' + problems.join('\n')));
    }

    void theLocaleChoosesTheLanguage_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("continueText");
        QTest::addColumn<QString>("qtQm");
        QTest::addColumn<QString>("counted");  // 1 and -2 points, 0 and 1 tricks, -1 point
        QTest::newRow("German") << "de_DE" << "de" << "Weiter" << "qtbase_de.qm" << "1 Punkt, -2 Punkte, 0 Stiche, 1 Stich, -1 Punkt";
        QTest::newRow("French") << "fr_FR" << "fr" << "Continuer" << "qtbase_fr.qm" << "1 point, -2 points, 0 pli, 1 pli, -1 point";
        QTest::newRow("Swiss German") << "de_CH" << "de" << "Weiter" << "qtbase_de.qm" << "1 Punkt, -2 Punkte, 0 Stiche, 1 Stich, -1 Punkt";
        QTest::newRow("English") << "en_GB" << "" << "Continue" << "" << "1 point, -2 points, 0 tricks, 1 trick, -1 point";
        QTest::newRow("unknown") << "sw_KE" << "" << "Continue" << "" << "1 point, -2 points, 0 tricks, 1 trick, -1 point";
        // clang-format on
    }
    void theLocaleChoosesTheLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QFETCH(QString, continueText);
        QFETCH(QString, qtQm);
        QFETCH(QString, counted);
        QCOMPARE(installTranslations(QLocale(locale)), language);
        QCOMPARE(QCoreApplication::translate("TrickCompleteScene", "Continue"), continueText);
        QCOMPARE(QStringList(
                     {pointsText(1), pointsText(-2), tricksText(0), tricksText(1), pointsText(-1)})
                     .join(", "),
                 counted);
        const QString qt_dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (qtQm.isEmpty() || !QFile::exists(qt_dir + '/' + qtQm))
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                     QStringLiteral("Cancel"));
        else
            QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != u"Cancel");
        // The Keys list gives the Alt keys the menus and the Learning Mode box underline.
        {
            MainWindow window;
            NewGameDialog dialog(&window);
            QList<QString> underlined = {dialog.findChild<QCheckBox *>()->text()};
            for (QAction *menu : window.menuBar()->actions())
                underlined << menu->text();
            const QString keys = MainUIActionHandler::keysText();
            for (const QString &text : underlined)
                QVERIFY2(keys.contains(QKeySequence::mnemonic(text).toString()), qPrintable(text));
        }
        installTranslations(QLocale(QLocale::English));
        QCOMPARE(QCoreApplication::translate("TrickCompleteScene", "Continue"),
                 QStringLiteral("Continue"));
    }

    // The longer words of a translation push the summary's columns apart instead of
    // running into them; the shortest names leave the least room.
    void summaryTextsKeepClearOfEachOther_data()
    {
        // A table reads best one row a line.
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qreal>("viewScale");  // 0: the design's own sizes
        for (const char *locale : {"en_GB", "de_DE", "fr_FR"}) {
            QTest::newRow(locale) << locale << 0.0;
            // A 1024x640 screen's window.
            QTest::newRow(qPrintable(QStringLiteral("%1 small").arg(locale))) << locale << 0.26;
        }
        // clang-format on
    }
    void summaryTextsKeepClearOfEachOther()
    {
        QFETCH(QString, locale);
        QFETCH(qreal, viewScale);
        installTranslations(QLocale(locale));
        std::vector<Card> hand;
        for (int v = 1; v <= 13; ++v)
            hand.push_back(makeCard(Hearts, v));
        TrickCompleteScene summary({makePlayer("A", 1, 2, 0, hand), makePlayer("B", 2, 2, 0, hand),
                                    makePlayer("C", 3, 2, 0, hand), makePlayer("D", 4, 2, 0, hand)},
                                   0, nullptr, viewScale);
        Coach::Histogram rounds{};
        rounds[3] = 10;
        summary.showCoachAdvice(3, rounds);
        installTranslations(QLocale(QLocale::English));
        // The coach's chart, right of the longest words, still ends within the hand.
        qreal hand_right = 0, chart_right = 0;
        for (CardGraphicsItem *card : summary.handItems())
            hand_right = std::max(hand_right, card->sceneBoundingRect().right());
        for (QGraphicsRectItem *bar : summary.chartBars())
            chart_right = std::max(chart_right, bar->sceneBoundingRect().right());
        // Where the text must grow for a small window, the chart may pass the hand, but the
        // whole summary still fits the table's view of a 1024x640 screen.
        const QSizeF shown = summary.itemsBoundingRect().size() * viewScale;
        QVERIFY(viewScale == 0 ? chart_right <= hand_right
                               : shown.width() <= 840 && shown.height() <= 560);
        QList<QGraphicsTextItem *> texts;
        for (QGraphicsItem *item : summary.items())
            if (auto *t = dynamic_cast<QGraphicsTextItem *>(item))
                texts.append(t);
        QVERIFY(texts.size() > 10);
        // Every text at least 9 pixels high on the screen.
        for (QGraphicsTextItem *t : texts)
            QVERIFY2(viewScale == 0 || QFontInfo(t->font()).pixelSize() * viewScale >= 9,
                     qPrintable(t->toPlainText()));
        for (QGraphicsTextItem *a : texts)
            for (QGraphicsTextItem *b : texts)
                QVERIFY2(a == b || !a->sceneBoundingRect().intersects(b->sceneBoundingRect()),
                         qPrintable(a->toPlainText() + " / " + b->toPlainText()));
    }

    // "Name (pts) - t/c" keeps its fields in order whatever the script of the name.
    void rightToLeftNamesKeepTheFieldOrder()
    {
        const QString name = QStringLiteral("\u05e9\u05dc\u05d5\u05dd 123");
        MainWindow window;
        answerNewGameDialog(name);
        window.actionHandler().newGameAction()->trigger();
        QCOMPARE(window.gameState().getRound(), 1u);

        QGraphicsTextItem *label = window.gameScene().nameLabel(2);
        const QString text = label->toPlainText();
        const QString isolated = isolatedName(name);
        QVERIFY(isolated.endsWith(fsi + name + pdi));
        QCOMPARE(text, isolated + " (0) - 0/0");
        // As drawn: the line's direction, and where its characters go.
        QTextLayout *layout = label->document()->begin().layout();
        QVERIFY(layout && layout->lineCount() == 1);
        QCOMPARE(layout->textOption().textDirection(), Qt::LeftToRight);
        const QTextLine line = layout->lineAt(0);
        qreal name_right = 0;
        for (int i = 1; i <= int(isolated.size()); ++i)
            name_right = std::max(name_right, line.cursorToX(i));
        const qreal bracket = line.cursorToX(int(text.indexOf('(')));
        const qreal slash = line.cursorToX(int(text.indexOf('/')));
        QVERIFY2(name_right <= bracket + 0.5 && bracket < slash,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(name_right).arg(bracket).arg(slash)));

        // The panel: the name's own label stays a left-to-right line, as its neighbours.
        bool in_panel = false;
        for (QLabel *l : window.statisticsPanel()->findChildren<QLabel *>()) {
            QTextDocument doc;
            doc.setHtml(l->text());
            if (doc.toPlainText() == isolated) {
                in_panel = true;
                QCOMPARE(doc.begin().textDirection(), Qt::LeftToRight);
            }
        }
        QVERIFY(in_panel);

        TrickCompleteScene summary(
            {makePlayer(name.toStdString(), 3, 2, 0), makePlayer("Bo", 1, 2, 0)}, 1);
        bool in_summary = false;
        for (QGraphicsItem *item : summary.items())
            if (auto *t = dynamic_cast<QGraphicsTextItem *>(item))
                in_summary = in_summary || t->toPlainText() == isolated;
        QVERIFY(in_summary);
    }
};

QTEST_MAIN(TestI18n)
#include "tst_i18n.moc"
