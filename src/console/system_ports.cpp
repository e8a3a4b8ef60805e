#include "console/system_ports.h"

#include <QMetaObject>
#include <QSerialPortInfo>

// `context` outlives the lister (its owner joins the thread before the context goes), and
// a call posted to it that has not run when it is destroyed is dropped with it.
SystemPorts::SystemPorts(QObject* context, std::function<void(const QStringList&)> listed)
    : lister_([context, listed = std::move(listed)] {
          QStringList ports;
          for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) ports << port.systemLocation();
          QMetaObject::invokeMethod(context, [listed, ports] { listed(ports); }, Qt::QueuedConnection);
      }) {}

SystemPorts::~SystemPorts() { lister_.join(); }
