// ScanRunner: the folder scan on a worker thread, reported on the thread that owns the runner
// in walk order, so that the window goes on painting and taking keys however large the
// folder. Listed files arrive through fileListed() a few at a time (each step of the event
// loop hands over at most a small batch); finished() ends every scan that was not cancelled.
//
// The runner owns the stop token of its scan: requestStop() (what Escape leads to) marks it,
// and the receiver of fileListed() calls stop() once it sees stopRequested(), so the scan ends
// after the file being listed. Each start() begins with a fresh token. stop() ends the scan at
// once: later files are not reported, and finished(ScanOutcome::Stopped) follows. cancel() ends a scan without
// any further signal (a new scan replacing it, the window closing). Neither waits for the
// worker: it notices at its next folder entry, and the destructor waits for the last one.
#pragma once

#include "scan/FolderScan.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace glyphora {

class ScanRunner final : public QObject {
    Q_OBJECT
public:
    explicit ScanRunner(QObject* parent = nullptr);
    ~ScanRunner() override;

    // Starts scanning root (a running scan is cancelled first).
    void start(const std::filesystem::path& root, std::string masks, int minCount, bool recurse,
               ScanOptions options = {});
    void requestStop() { stop_.request_stop(); }
    bool stopRequested() const { return stop_.stop_requested(); }
    void stop();
    void cancel();
    bool isRunning() const { return job_ != nullptr; }

signals:
    // count: the number of files listed so far, entry included.
    void fileListed(const QString& entry, int count);
    void finished(glyphora::ScanOutcome outcome);

private:
    struct Job;
    void deliver(const std::shared_ptr<Job>& job);
    void joinFinished();

    std::stop_source stop_;                                             // the stop token of the current scan
    std::shared_ptr<Job> job_;                                          // the scan being reported, if any
    std::vector<std::pair<std::shared_ptr<Job>, std::thread>> workers_; // threads not joined yet
};

} // namespace glyphora
