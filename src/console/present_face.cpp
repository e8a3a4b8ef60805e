#include "console/present_face.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

QFont with_present_face(const QFont& font) {
#ifdef _WIN32
    if (QFontInfo(font).exactMatch()) return font;
    const QStringList present = QFontDatabase::families();
    for (const char* face : {"Segoe UI", "Tahoma", "Microsoft Sans Serif", "Arial", "Liberation Sans", "DejaVu Sans"}) {
        if (present.contains(QLatin1String(face))) {
            QFont stand_in = font;
            stand_in.setFamily(QLatin1String(face));
            return stand_in;
        }
    }
#endif
    return font;
}
