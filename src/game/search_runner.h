// Where a root search runs: inline on the caller's thread (the command-line tool, the
// tests), or on a worker thread while the window's event loop goes on.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "engine/engine.h"

namespace zelkor {

class SearchRunner {
  public:
    virtual ~SearchRunner() = default;
    // True when Run returns before the search ends (the search then works on copies).
    virtual bool Threaded() const { return false; }
    // Runs `search`, then `done` with its result on the caller's thread.
    virtual void Run(std::function<SearchResult()> search, std::function<void(SearchResult)> done) {
        done(search());
    }
    // The progress the search reports, made safe to call from where the search runs.
    virtual SearchProgress Wrap(SearchProgress progress) { return progress; }
};

// Hands a task to the thread that owns the user interface, to run there later.
using PostToOwner = std::function<void(std::function<void()>)>;

// Runs each search on a thread of its own. Progress is gathered there and handed to the
// owner's thread at most once per `interval` (only the latest of each kind), the result
// after the last progress. One search at a time; the destructor waits for the running one,
// so whoever ends the runner first asks the search to stop.
class ThreadSearchRunner : public SearchRunner {
  public:
    explicit ThreadSearchRunner(PostToOwner post,
                                std::chrono::milliseconds interval = std::chrono::milliseconds(30));
    ~ThreadSearchRunner() override;
    ThreadSearchRunner(const ThreadSearchRunner&) = delete;
    ThreadSearchRunner& operator=(const ThreadSearchRunner&) = delete;

    bool Threaded() const override { return true; }
    void Run(std::function<SearchResult()> search, std::function<void(SearchResult)> done) override;
    SearchProgress Wrap(SearchProgress progress) override;
    // Waits until the worker thread has ended (its result may still be on its way).
    void Join();

  private:
    // The latest progress not yet shown, shared by the worker and the owner's thread.
    struct Pending {
        std::mutex mutex;
        SearchProgress shown;  // the caller's callbacks, called on the owner's thread only
        std::optional<std::pair<int, std::string>> rootMove;
        std::optional<NewBestReport> newBest;
        std::optional<int> progress;
        std::optional<int> countdown;
        bool posted = false;
        // None before the first post, which goes out at once (the clock may start near zero).
        std::optional<std::chrono::steady_clock::time_point> lastPost;
    };
    // Called on the worker: hands the pending progress over unless that was done lately.
    void Offer(const std::shared_ptr<Pending>& pending, bool force);
    static void Show(Pending& pending);  // on the owner's thread

    PostToOwner post_;
    std::chrono::milliseconds interval_;
    std::shared_ptr<Pending> pending_;
    std::thread worker_;
};

}  // namespace zelkor
