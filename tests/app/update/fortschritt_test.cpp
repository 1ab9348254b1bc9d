#include "app/update/fortschritt.h"

#include <gtest/gtest.h>

namespace {

TEST(Fortschritt, PercentAndBarFollowTheRuntimeArithmetic)
{
    struct Row {
        qint32 value, min, max;
        int width;
        qint32 wert;
        int prozent, balken;
    };
    const Row rows[] = {
        {570, 1, 1000, 200, 570, 57, 114},
        {570, 1, 1000, 50, 570, 57, 28},     // 28.5 rounds to the even 28
        {590, 1, 1000, 50, 590, 59, 30},     // 29.5 rounds to the even 30
        {5, 1, 1000, 200, 5, 1, 2},          // 0.5 + 0.5 makes 1 %
        {994, 1, 1000, 200, 994, 99, 198},
        {995, 1, 1000, 200, 995, 100, 200},
        {1500, 1, 1000, 200, 1000, 100, 200},  // lowered to the maximum
        {0, 1, 1000, 200, 1, 0, 0},            // raised to the minimum
        {7, 1, 0, 200, 0, 100, 200},           // no size known: value 0, nothing is drawn
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.value << " of " << r.min << ".." << r.max << " at " << r.width);
        const upd::Fortschritt f = upd::fortschrittBerechnen(r.value, r.min, r.max, r.width);
        EXPECT_EQ(f.wert, r.wert);
        EXPECT_EQ(f.prozent, r.prozent);
        EXPECT_EQ(f.balkenbreite, r.balken);
    }
    EXPECT_EQ(upd::textfarbe(114, 114), QColor(Qt::white));
    EXPECT_EQ(upd::textfarbe(114.5, 114), QColor(Qt::black));
}

// Pixels of the drawn picture in a column range: any bright, any dark.
struct Spalten {
    bool hell = false, dunkel = false;
};
Spalten pruefe(const QImage& img, int x0, int x1, QRgb ausser)
{
    Spalten s;
    for (int x = x0; x < x1; ++x)
        for (int y = 0; y < img.height(); ++y) {
            const QRgb p = img.pixel(x, y);
            if (p == ausser)
                continue;
            s.hell = s.hell || qGray(p) > 200;
            s.dunkel = s.dunkel || qGray(p) < 60;
        }
    return s;
}

TEST(Fortschritt, TheBarIsDarkBlueAndItsTextWhiteOnItBlackBeyondIt)
{
    upd::ProgressBox box;
    box.resize(200, 24);
    const QRgb blau = upd::kBalkenfarbe.rgb();
    const QRgb grund = box.palette().color(QPalette::Base).rgb();

    upd::DrawProgress(&box, 570, 1, 1000, true);
    const QImage& a = box.bild();
    EXPECT_EQ(a.pixel(2, 2), blau);
    EXPECT_EQ(a.pixel(113, 2), blau);
    EXPECT_EQ(a.pixel(114, 2), grund);
    EXPECT_TRUE(pruefe(a, 80, 114, blau).hell);   // "57 %" in white on the bar

    upd::DrawProgress(&box, 100, 1, 1000, true);
    const QImage& b = box.bild();
    EXPECT_EQ(b.pixel(19, 2), blau);
    EXPECT_EQ(b.pixel(20, 2), grund);
    EXPECT_TRUE(pruefe(b, 60, 140, grund).dunkel);   // "10 %" in black beside the bar

    upd::DrawProgress(&box, 9, 1, 0, true);   // size 0: cleared, nothing drawn
    EXPECT_EQ(pruefe(box.bild(), 0, 200, grund).dunkel, false);
    EXPECT_EQ(box.bild().pixel(2, 2), grund);
}

TEST(Fortschritt, TheProgressBoxFiguresAsWorkedByHand)
{
    struct Row {
        qint32 value, min, max;
        int width, prozent, balken;
    };
    const Row rows[] = {
        {570, 1, 1000, 200, 57, 114},   // 57.0 + 0.5 cut to 57; 2 * 57
        {1, 1, 8, 200, 13, 26},         // 12.5 + 0.5 = 13: the percent rounds half up
        {1, 1, 8, 250, 13, 32},         // 2.5 * 13 = 32.5: the bar rounds half to even
        {5, 1, 8, 150, 63, 94},         // 62.5 -> 63; 1.5 * 63 = 94.5 -> 94
        {3, 1, 8, 250, 38, 95},         // 37.5 -> 38; 2.5 * 38 = 95
        {3, 1, 8, 150, 38, 57},         // 1.5 * 38 = 57
        {7, 1, 8, 50, 88, 44},          // 87.5 -> 88; 0.5 * 88 = 44
        {9, 1, 8, 200, 100, 200},       // lowered to 8 first
        {-4, 1, 8, 200, 13, 26},        // raised to 1 first
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.value << " of " << r.min << ".." << r.max << " at " << r.width);
        const upd::Fortschritt f = upd::fortschrittBerechnen(r.value, r.min, r.max, r.width);
        EXPECT_EQ(f.prozent, r.prozent);
        EXPECT_EQ(f.balkenbreite, r.balken);
    }
    // Drawn: 570 of 1..1000 fills the columns 0..113 of a box 200 wide.
    upd::ProgressBox box;
    box.resize(200, 20);
    upd::DrawProgress(&box, 570, 1, 1000, false);
    const QImage& b = box.bild();
    EXPECT_EQ(b.pixel(0, 10), QColor(0, 0, 192).rgb());
    EXPECT_EQ(b.pixel(113, 19), QColor(0, 0, 192).rgb());
    EXPECT_NE(b.pixel(114, 0), QColor(0, 0, 192).rgb());
}

} // namespace
