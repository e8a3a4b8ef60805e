// A unit backup as it comes back from a mailbox or an editor: refused whole with what is
// wrong, or accepted with the display mode and the ten slots the document holds, and
// then written out to a file that reads back to the same backup.

#include <cstdint>

#include "calibration/unit_backup.h"
#include "fuzz_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace calibration;
    const QByteArray text = fuzz::file_text(data, size);
    const auto read = read_backup_json(text);
    const UnitBackup* backup = fuzz::accepted(read);
    if (!backup) return 0;
    const QJsonObject document = fuzz::document_object(text);
    const QJsonObject mode = document.value("display_mode").toObject();
    FUZZ_CHECK(mode.value("passive").toBool() == backup->passive && mode.value("virs").toBool() == backup->virs);
    const QJsonArray tables = document.value("slots").toArray();
    FUZZ_CHECK(tables.size() == static_cast<qsizetype>(unit_slots));
    for (std::size_t s = 0; s < unit_slots; ++s)
        fuzz::check_table(tables.at(static_cast<qsizetype>(s)).toObject(), backup->tables[s]);
    fuzz::check_round_trip(*backup, write_backup_json, read_backup_json);
    return 0;
}
