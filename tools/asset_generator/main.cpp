// Draws every picture under assets/. Run through tools/generate-assets.sh;
// the output depends only on this source, Qt and the emoji font, so running
// it again must reproduce the committed files byte for byte.

#include "emoji.h"
#include "emoji_tables.h"
#include "ico_writer.h"
#include "image_io.h"
#include "scenes.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <string_view>

namespace {

constexpr bool allDistinct(const std::array<EmojiSubject, kSubjectsPerSet> &set)
{
    for (std::size_t i = 0; i < set.size(); ++i)
        for (std::size_t j = i + 1; j < set.size(); ++j)
            if (std::u32string_view(set[i].text) == std::u32string_view(set[j].text))
                return false;
    return true;
}
static_assert(allDistinct(kAnimals), "an animal appears twice");
static_assert(allDistinct(kFoods), "a food appears twice");
static_assert(allDistinct(kThings), "a toy or nature picture appears twice");

constexpr QSize kHintSize(161, 161);
constexpr int kHintMargin = 6;

void writeHintSet(const EmojiPainter &emoji, const QDir &dir,
                  const std::array<EmojiSubject, kSubjectsPerSet> &set)
{
    for (std::size_t i = 0; i < set.size(); ++i) {
        const QImage glyph = emoji.glyph(set[i].text, set[i].name);
        writeJpeg(dir.filePath(QStringLiteral("%1.jpg").arg(i)),
                  fitOnWhite(glyph, kHintSize, kHintMargin));
    }
}

void writeIcons(const QDir &dir)
{
    for (int size : {16, 32, 48, 64, 128, 256})
        writePng(dir.filePath(QStringLiteral("kidsum-%1.png").arg(size)), drawIcon(size));

    // Old shells pick the deepest image they can show, so every depth is there.
    const std::pair<int, int> layout[] = {{32, 1},  {16, 1},  {48, 4},  {32, 4}, {16, 4},
                                          {48, 8},  {32, 8},  {16, 8},  {128, 32},
                                          {80, 32}, {48, 32}, {32, 32}, {16, 32}};
    std::vector<IcoEntry> entries;
    for (const auto &[size, bits] : layout)
        entries.push_back({drawIcon(size), bits});
    writeFile(dir.filePath(QStringLiteral("kidsum.ico")), buildIco(entries));
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ASSETS_DIR\n", argv[0]);
        return 2;
    }
    const QDir assets(QString::fromLocal8Bit(argv[1]));
    const EmojiPainter emoji;

    writeHintSet(emoji, QDir(assets.filePath(QStringLiteral("img/1"))), kAnimals);
    writeHintSet(emoji, QDir(assets.filePath(QStringLiteral("img/2"))), kFoods);
    writeHintSet(emoji, QDir(assets.filePath(QStringLiteral("img/3"))), kThings);

    const QDir img(assets.filePath(QStringLiteral("img")));
    writeJpeg(img.filePath(QStringLiteral("ok.jpg")), drawRightMark());
    writeJpeg(img.filePath(QStringLiteral("err.jpg")), drawWrongMark());
    QImage white(kHintSize, QImage::Format_RGB32);
    white.fill(Qt::white);
    writeJpeg(img.filePath(QStringLiteral("white.jpg")), white);

    writeJpeg(assets.filePath(QStringLiteral("background.jpg")), drawBackground(emoji));
    writeIcons(QDir(assets.filePath(QStringLiteral("icon"))));
    return 0;
}
