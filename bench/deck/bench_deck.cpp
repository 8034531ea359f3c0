// The deck is parsed once at start-up and every card is drawn from it on each repaint,
// so both must stay cheap: parse <= 50 ms, one face at 1080p card size <= 0.5 ms.

#include "QtBenchmarkMain.h"

#include "Card.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace {

const QString deckPath = QStringLiteral(":/svg/cards/svgcards");

void BM_ParseDeck(benchmark::State &state)
{
    for (auto _ : state) {
        QSvgRenderer renderer(deckPath);
        benchmark::DoNotOptimize(renderer.isValid());
    }
}
BENCHMARK(BM_ParseDeck)->Unit(benchmark::kMillisecond);

void renderElement(benchmark::State &state, const QString &id)
{
    QSvgRenderer renderer(deckPath);
    if (!renderer.elementExists(id)) {
        state.SkipWithError("element missing");
        return;
    }
    QImage image(106, 149, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p, id, QRectF(0, 0, 106, 149));
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// A plain pip face, the face with most pips, the ornate ace, two courts (the Queen of
// Clubs is the most expensive card to draw) and the back hidden hands show.
void BM_RenderFace_7H(benchmark::State &state)
{
    renderElement(state, QStringLiteral("7H"));
}
void BM_RenderFace_10C(benchmark::State &state)
{
    renderElement(state, QStringLiteral("10C"));
}
void BM_RenderFace_AS(benchmark::State &state)
{
    renderElement(state, QStringLiteral("AS"));
}
void BM_RenderFace_KH(benchmark::State &state)
{
    renderElement(state, QStringLiteral("KH"));
}
void BM_RenderFace_QC(benchmark::State &state)
{
    renderElement(state, QStringLiteral("QC"));
}
void BM_RenderBack_RED1(benchmark::State &state)
{
    renderElement(state, QStringLiteral("BACK_RED1"));
}
BENCHMARK(BM_RenderFace_7H)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderFace_10C)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderFace_AS)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderFace_KH)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderFace_QC)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderBack_RED1)->Unit(benchmark::kMicrosecond);

QStringList allIds()
{
    QStringList ids;
    for (const std::string &id : faceElementIds())
        ids << QString::fromStdString(id);
    return ids << QStringLiteral("BACK_RED1") << QStringLiteral("BACK_BLUE1");
}

// Every element in turn, one per iteration, so that no card can grow expensive unseen.
// Each render is also timed on its own: the counters give the median of the slowest
// element and the label names it.
void BM_RenderEveryElement(benchmark::State &state)
{
    QSvgRenderer renderer(deckPath);
    const QStringList ids = allIds();
    for (const QString &id : ids) {
        if (!renderer.elementExists(id)) {
            state.SkipWithError("element missing");
            return;
        }
    }
    QImage image(106, 149, QImage::Format_ARGB32_Premultiplied);
    std::vector<std::vector<double>> micros(size_t(ids.size()));
    size_t next = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p, ids[qsizetype(next)], QRectF(0, 0, 106, 149));
        p.end();
        benchmark::DoNotOptimize(image.constBits());
        micros[next].push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        next = (next + 1) % micros.size();
    }
    double slowest = 0;
    QString slowestId;
    for (size_t i = 0; i < micros.size(); ++i) {
        std::vector<double> &m = micros[i];
        if (m.empty())
            continue;
        std::nth_element(m.begin(), m.begin() + std::ptrdiff_t(m.size() / 2), m.end());
        if (m[m.size() / 2] > slowest) {
            slowest = m[m.size() / 2];
            slowestId = ids[qsizetype(i)];
        }
    }
    state.counters["slowest_median_us"] = slowest;
    state.SetLabel(("slowest " + slowestId).toStdString());
}
BENCHMARK(BM_RenderEveryElement)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    useOffscreenPlatformByDefault();
    QGuiApplication app(argc, argv);
    return runRegisteredBenchmarks(argc, argv);
}
