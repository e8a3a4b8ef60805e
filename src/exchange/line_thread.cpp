#include "exchange/line_thread.h"

#include <QCoreApplication>
#include <future>
#include <utility>

namespace exchange {

namespace {

// One call for a mailbox's thread, carried by the event loop.
class Call final : public QEvent {
public:
    explicit Call(std::function<void()> call) : QEvent(type()), call_(std::move(call)) {}
    static QEvent::Type type() {
        static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
        return registered;
    }
    void operator()() const { call_(); }

private:
    std::function<void()> call_;
};

}  // namespace

bool LineThread::Mailbox::event(QEvent* event) {
    if (event->type() != Call::type()) return QObject::event(event);
    (*static_cast<Call*>(event))();
    return true;
}

void LineThread::post(Mailbox& to, std::function<void()> call) {
    QCoreApplication::postEvent(&to, new Call(std::move(call)));  // the event loop owns it now
}

LineThread::LineThread(serial::Line& line) : line_(line), worker_(new Mailbox) {
    thread_.setObjectName(QStringLiteral("serial line"));
    worker_->moveToThread(&thread_);
    thread_.start();
}

LineThread::~LineThread() {
    // A read still waiting on a silent line stops waiting (its answer would be dropped);
    // the write behind it goes out whole. The close is queued behind whatever is still
    // to run, so the port closes right after it.
    thread_.requestInterruption();
    work([this] {
        line_.close();
        QThread::currentThread()->quit();
    });
    thread_.wait();
    delete worker_;  // its thread has ended: nothing can reach it any more
}

template <typename Result>
void LineThread::answer(std::function<void(Result)> done, Result result) {
    // Through `home_`: if this object is destroyed first, the call is dropped with it.
    post(home_, [done = std::move(done), result = std::move(result)] { done(result); });
}

void LineThread::open(const QString& port, const QString& settings, Opened done) {
    work([this, port, settings, done = std::move(done)]() mutable {
        answer(std::move(done), line_.open(port, settings));
    });
}

void LineThread::exchange(protocol::Bytes frame, Exchanged done) {
    work([this, frame = std::move(frame), done = std::move(done)]() mutable {
        LineResult result;
        result.received = line_.read();
        result.read_at = std::chrono::system_clock::now();
        // A line already let go of takes no write, an empty one included.
        result.line_open = line_.is_open();
        if (result.line_open) result.written = line_.write(frame);
        result.written_at = std::chrono::system_clock::now();
        answer(std::move(done), std::move(result));
    });
}

void LineThread::flush() {
    work([this] { line_.flush(); });
}

void LineThread::close() {
    work([this] { line_.close(); });
}

bool LineThread::line_open() {
    std::promise<bool> open;
    std::future<bool> answered = open.get_future();
    work([this, &open] { open.set_value(line_.is_open()); });
    return answered.get();
}

}  // namespace exchange
