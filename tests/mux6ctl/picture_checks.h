#pragma once
// What the picture tests read back: pixels of a colour, and pdfinfo's report.

#include <QColor>
#include <QImage>
#include <string>

namespace testsupport {

// Pixels of exactly this colour in the picture.
inline int PixelAnzahl(const QImage& bild, QColor farbe) {
    int n = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            n += bild.pixelColor(x, y).rgb() == farbe.rgb();
    return n;
}

// The value after `name` on its line of pdfinfo's report, without the padding.
inline std::string PdfinfoFeld(const std::string& bericht, const std::string& name) {
    const auto a = bericht.find(name);
    if (a == std::string::npos)
        return {};
    const auto wert = bericht.find_first_not_of(' ', a + name.size());
    return bericht.substr(wert, bericht.find('\n', wert) - wert);
}

}  // namespace testsupport
