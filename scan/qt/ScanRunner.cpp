// The folder scan on a worker thread. The worker only appends listed files to its job's
// queue and posts one delivery at a time; the owning thread hands them on in small batches.
#include "scan/qt/ScanRunner.h"

#include <QMetaObject>

#include <atomic>
#include <deque>
#include <mutex>
#include <utility>

namespace glyphora {

namespace {

// Files handed on per step of the event loop: a step stays short however many are waiting.
constexpr std::size_t kBatch = 64;

} // namespace

struct ScanRunner::Job {
    std::atomic<bool> cancel{false};
    std::atomic<bool> threadDone{false};
    std::mutex mutex; // guards the four fields below
    std::deque<std::string> pending;
    bool walkEnded = false;
    ScanOutcome outcome = ScanOutcome::Finished;
    bool deliveryPosted = false;
    int reported = 0; // owning thread only
};

ScanRunner::ScanRunner(QObject* parent) : QObject(parent) {}

ScanRunner::~ScanRunner()
{
    for (auto& [job, thread] : workers_) {
        job->cancel = true;
        thread.join(); // the walk ends before its next folder entry
    }
}

void ScanRunner::start(const std::filesystem::path& root, std::string masks, int minCount, bool recurse,
                       ScanOptions options)
{
    cancel();
    joinFinished();
    stop_ = std::stop_source();
    auto job = std::make_shared<Job>();
    job_ = job;
    const auto post = [this, job] {
        QMetaObject::invokeMethod(
            this, [this, job] { deliver(job); }, Qt::QueuedConnection);
    };
    std::thread worker([job, post, root, masks = std::move(masks), minCount, recurse, options = std::move(options)] {
        std::vector<std::string> list;
        ScanControl control;
        control.cancel = &job->cancel;
        control.progress = [&](int, const std::string& entry) {
            bool first = false;
            {
                const std::lock_guard lock(job->mutex);
                job->pending.push_back(entry);
                first = !std::exchange(job->deliveryPosted, true);
            }
            if (first) post();
            return false; // stopping goes through the cancel flag
        };
        const ScanOutcome outcome = ScanForIconFiles(root, root, masks, minCount, recurse, list, control, options);
        bool first = false;
        {
            const std::lock_guard lock(job->mutex);
            job->walkEnded = true;
            job->outcome = outcome;
            first = !std::exchange(job->deliveryPosted, true);
        }
        if (first) post();
        job->threadDone = true;
    });
    workers_.emplace_back(job, std::move(worker));
}

void ScanRunner::deliver(const std::shared_ptr<Job>& job)
{
    if (job != job_) return; // stopped, cancelled or replaced meanwhile
    std::vector<std::string> batch;
    bool more = false;
    bool ended = false;
    ScanOutcome outcome = ScanOutcome::Finished;
    {
        const std::lock_guard lock(job->mutex);
        while (!job->pending.empty() && batch.size() < kBatch) {
            batch.push_back(std::move(job->pending.front()));
            job->pending.pop_front();
        }
        more = !job->pending.empty();
        ended = job->walkEnded;
        outcome = job->outcome;
        if (!more && !ended) job->deliveryPosted = false; // the worker posts again with its next file
    }
    for (const std::string& entry : batch) {
        emit fileListed(QString::fromStdString(entry), ++job->reported);
        if (job != job_) return; // a receiver stopped or replaced the scan
    }
    if (more) {
        QMetaObject::invokeMethod(
            this, [this, job] { deliver(job); }, Qt::QueuedConnection);
    } else if (ended) {
        job_.reset();
        joinFinished();
        emit finished(outcome);
    }
}

void ScanRunner::stop()
{
    if (!job_) return;
    job_->cancel = true;
    job_.reset();
    emit finished(ScanOutcome::Stopped);
}

void ScanRunner::cancel()
{
    if (!job_) return;
    job_->cancel = true;
    job_.reset();
}

void ScanRunner::joinFinished()
{
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (it->first->threadDone) {
            it->second.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace glyphora
