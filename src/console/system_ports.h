#pragma once
// The system's serial ports, listed on a thread of their own: listing walks every tty the
// machine has, which would hold up the window's first paint.

#include <QObject>
#include <QStringList>
#include <thread>

class SystemPorts final : public QObject {
    Q_OBJECT

public:
    SystemPorts() = default;
    // Waits for the listing to end.
    ~SystemPorts() override;
    SystemPorts(const SystemPorts&) = delete;
    SystemPorts& operator=(const SystemPorts&) = delete;

    // Starts listing; `listed` follows, through the event loop of the receiver's thread.
    void start();

signals:
    // The ports' device paths.
    void listed(const QStringList& ports);

private:
    std::thread lister_;
};
