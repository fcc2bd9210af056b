// ScanRunner: the folder scan on a worker thread, reported on the thread that owns the runner
// in walk order, so that the window goes on painting and taking keys however large the
// folder. Listed files arrive through fileListed() a few at a time (each step of the event
// loop hands over at most a small batch); finished() ends every scan that was not cancelled.
//
// stop() is what Escape leads to: the scan ends after the file being reported, later files
// are not reported, and finished(ScanOutcome::Stopped) follows. cancel() ends a scan without
// any further signal (a new scan replacing it, the window closing). Neither waits for the
// worker: it notices at its next folder entry, and the destructor waits for the last one.
#pragma once

#include "scan/FolderScan.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>
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

    std::shared_ptr<Job> job_;                                          // the scan being reported, if any
    std::vector<std::pair<std::shared_ptr<Job>, std::thread>> workers_; // threads not joined yet
};

} // namespace glyphora
