#pragma once
// Work that may wait on the disk for ever (a listing on a hung network or
// FUSE mount) runs on a thread of its own, and its answer comes back to the
// GUI thread as a queued call. The thread is never joined: one that never
// returns holds only itself, and the program still ends. Answers that come
// after the receiver is gone go nowhere.

#include <QMetaObject>
#include <QObject>

#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

class OffThreadWork {
public:
    /// GUI thread. Answers are run on `receiver`'s thread while it lives; make
    /// this a member of the receiver, so it goes before the receiver does.
    explicit OffThreadWork(QObject* receiver) : mailbox_(std::make_shared<Mailbox>())
    {
        mailbox_->receiver = receiver;
    }
    ~OffThreadWork()
    {
        std::lock_guard lock(mailbox_->mutex);
        mailbox_->receiver = nullptr;
    }
    OffThreadWork(const OffThreadWork&) = delete;
    OffThreadWork& operator=(const OffThreadWork&) = delete;

    /// Runs `work` on a new thread; its result goes to `answer` on the receiver's
    /// thread. Throws std::system_error when no thread can be had.
    template <class Result>
    void Run(std::function<Result()> work, std::function<void(const Result&)> answer)
    {
        std::thread([mailbox = mailbox_, work = std::move(work), answer = std::move(answer)] {
            Result result = work();
            std::lock_guard lock(mailbox->mutex);
            if (QObject* receiver = mailbox->receiver)
                QMetaObject::invokeMethod(
                    receiver, [answer, result = std::move(result)] { answer(result); }, Qt::QueuedConnection);
        }).detach();
    }

private:
    struct Mailbox {
        std::mutex mutex;
        QObject* receiver = nullptr;
    };
    std::shared_ptr<Mailbox> mailbox_;
};
