// The deck is parsed once at start-up and every card is drawn from it on each repaint,
// so both must stay cheap: parse <= 50 ms, one face at 1080p card size <= 0.5 ms.

#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdlib>

namespace {

const QString kDeck = QStringLiteral(":/svg/cards/svgcards");

void BM_ParseDeck(benchmark::State &state)
{
    for (auto _ : state) {
        QSvgRenderer renderer(kDeck);
        benchmark::DoNotOptimize(renderer.isValid());
    }
}
BENCHMARK(BM_ParseDeck)->Unit(benchmark::kMillisecond);

void renderElement(benchmark::State &state, const QString &id)
{
    QSvgRenderer renderer(kDeck);
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
void BM_RenderFace_7H(benchmark::State &state) { renderElement(state, QStringLiteral("7H")); }
void BM_RenderFace_10C(benchmark::State &state) { renderElement(state, QStringLiteral("10C")); }
void BM_RenderFace_AS(benchmark::State &state) { renderElement(state, QStringLiteral("AS")); }
void BM_RenderFace_KH(benchmark::State &state) { renderElement(state, QStringLiteral("KH")); }
void BM_RenderFace_QC(benchmark::State &state) { renderElement(state, QStringLiteral("QC")); }
void BM_RenderBack_RED1(benchmark::State &state) { renderElement(state, QStringLiteral("BACK_RED1")); }
BENCHMARK(BM_RenderFace_7H)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderFace_10C)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderFace_AS)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderFace_KH)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderFace_QC)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderBack_RED1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    useOffscreenPlatformByDefault();
    QGuiApplication app(argc, argv);
    return runRegisteredBenchmarks(argc, argv);
}
