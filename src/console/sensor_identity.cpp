#include "console/sensor_identity.h"

#include <QCoreApplication>

QString sensor_identity_text(int address, std::optional<std::uint32_t> serial, const QString& version) {
    QString text = serial ? QCoreApplication::translate("SensorIdentity", "Датчик %1, серийный № %2")
                                .arg(address)
                                .arg(*serial)
                          : QCoreApplication::translate("SensorIdentity", "Датчик %1, серийный № не прочитан")
                                .arg(address);
    if (!version.isEmpty()) text = QCoreApplication::translate("SensorIdentity", "%1, версия %2").arg(text, version);
    return text;
}
