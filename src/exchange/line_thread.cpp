#include "exchange/line_thread.h"

#include <QMetaObject>
#include <utility>

namespace exchange {

LineThread::LineThread(Line& line) : line_(line), worker_(new QObject) {
    thread_.setObjectName(QStringLiteral("serial line"));
    worker_->moveToThread(&thread_);
    thread_.start();
}

LineThread::~LineThread() {
    // Queued behind whatever is still to run, so the port closes right after it.
    post([this] {
        line_.close();
        QThread::currentThread()->quit();
    });
    thread_.wait();
    delete worker_;  // its thread has ended: nothing can reach it any more
}

template <typename Work>
void LineThread::post(Work work) {
    QMetaObject::invokeMethod(worker_, std::move(work), Qt::QueuedConnection);
}

template <typename Result>
void LineThread::answer(std::function<void(Result)> done, Result result) {
    // Posted to `home_`: if this object is destroyed first, Qt drops the call with it.
    QMetaObject::invokeMethod(
        &home_, [done = std::move(done), result = std::move(result)]() mutable { done(std::move(result)); },
        Qt::QueuedConnection);
}

void LineThread::open(const QString& port, const QString& settings, Opened done) {
    post([this, port, settings, done = std::move(done)]() mutable {
        answer(std::move(done), line_.open(port, settings));
    });
}

void LineThread::exchange(protocol::Bytes frame, Exchanged done) {
    post([this, frame = std::move(frame), done = std::move(done)]() mutable {
        LineResult result;
        result.received = line_.read();
        // A line already let go of takes no write, an empty one included.
        result.line_open = line_.is_open();
        if (result.line_open) result.written = line_.write(frame);
        answer(std::move(done), std::move(result));
    });
}

void LineThread::flush() {
    post([this] { line_.flush(); });
}

void LineThread::close() {
    post([this] { line_.close(); });
}

bool LineThread::line_open() {
    bool open = false;
    QMetaObject::invokeMethod(worker_, [this, &open] { open = line_.is_open(); }, Qt::BlockingQueuedConnection);
    return open;
}

}  // namespace exchange
