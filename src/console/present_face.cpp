#include "console/present_face.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

QFont with_present_face(QFont font) {
#ifdef _WIN32
    if (QFontInfo(font).exactMatch()) return font;
    const QStringList present = QFontDatabase::families();
    for (const char* face : {"Segoe UI", "Tahoma", "Microsoft Sans Serif", "Arial", "Liberation Sans", "DejaVu Sans"}) {
        if (present.contains(QLatin1String(face))) {
            font.setFamily(QLatin1String(face));
            break;
        }
    }
#endif
    return font;
}
