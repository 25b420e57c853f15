#include "game/search_runner.h"

namespace zelkor {

ThreadSearchRunner::ThreadSearchRunner(PostToOwner post, std::chrono::milliseconds interval)
    : post_(std::move(post)), interval_(interval) {}

ThreadSearchRunner::~ThreadSearchRunner() {
    Join();
}

void ThreadSearchRunner::Join() {
    if (worker_.joinable()) worker_.join();
}

SearchProgress ThreadSearchRunner::Wrap(SearchProgress progress) {
    auto pending = std::make_shared<Pending>();
    pending->shown = std::move(progress);
    pending_ = pending;
    SearchProgress worker;
    worker.rootMove = [this, pending](int depth, const std::string& move) {
        {
            const std::lock_guard lock(pending->mutex);
            pending->rootMove.emplace(depth, move);
        }
        Offer(pending, false);
    };
    worker.newBest = [this, pending](const NewBestReport& report) {
        {
            const std::lock_guard lock(pending->mutex);
            pending->newBest = report;
        }
        Offer(pending, false);
    };
    worker.progress = [this, pending](int value) {
        {
            const std::lock_guard lock(pending->mutex);
            pending->progress = value;
        }
        Offer(pending, false);
    };
    worker.countdown = [this, pending](int remaining) {
        {
            const std::lock_guard lock(pending->mutex);
            pending->countdown = remaining;
        }
        Offer(pending, false);
    };
    return worker;
}

void ThreadSearchRunner::Offer(const std::shared_ptr<Pending>& pending, bool force) {
    {
        const std::lock_guard lock(pending->mutex);
        const auto now = std::chrono::steady_clock::now();
        if (pending->posted ||
            (!force && pending->lastPost && now - *pending->lastPost < interval_))
            return;
        pending->posted = true;
        pending->lastPost = now;
    }
    post_([pending] { Show(*pending); });
}

void ThreadSearchRunner::Show(Pending& pending) {
    std::optional<std::pair<int, std::string>> rootMove;
    std::optional<NewBestReport> newBest;
    std::optional<int> progress, countdown;
    {
        const std::lock_guard lock(pending.mutex);
        rootMove.swap(pending.rootMove);
        newBest.swap(pending.newBest);
        progress.swap(pending.progress);
        countdown.swap(pending.countdown);
        pending.posted = false;
    }
    const SearchProgress& shown = pending.shown;
    if (rootMove && shown.rootMove) shown.rootMove(rootMove->first, rootMove->second);
    if (newBest && shown.newBest) shown.newBest(*newBest);
    if (progress && shown.progress) shown.progress(*progress);
    if (countdown && shown.countdown) shown.countdown(*countdown);
}

void ThreadSearchRunner::Run(std::function<SearchResult()> search,
                             std::function<void(SearchResult)> done) {
    Join();
    std::shared_ptr<Pending> pending = pending_;
    pending_.reset();
    worker_ = std::thread([this, search = std::move(search), done = std::move(done), pending] {
        SearchResult result = search();
        // The result follows the last progress, which is shown first.
        post_([pending, done, result = std::move(result)] {
            if (pending) Show(*pending);
            done(result);
        });
    });
}

}  // namespace zelkor
