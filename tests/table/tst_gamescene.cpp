#include <QTest>
class TestGameScene : public QObject { Q_OBJECT };
QTEST_MAIN(TestGameScene)
#include "tst_gamescene.moc"
