// Entry point of every widget test: offscreen unless a platform was chosen, one QApplication with a
// fixed style and font.
#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QStyleFactory>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    // Test discovery runs this binary without a display; offscreen needs none.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // Sizes and pictures must not follow the machine's theme or fonts: Fusion is built into Qt, and
    // DejaVu Sans comes with fonts-dejavu-core, which the build installs.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    // Without the font every size and picture would differ from the tests' figures: say why at once.
    if (QFontInfo(QApplication::font()).family() != QStringLiteral("DejaVu Sans")) {
        std::fprintf(stderr, "DejaVu Sans is missing: is fonts-dejavu-core installed?\n");
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
