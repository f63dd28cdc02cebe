// Where the hidden pieces may stand: a set of whole positions, each agreeing with everything the
// side has seen. They are carried forward event by event; see the README for how they are kept
// consistent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "board/rules.h"
#include "honest/rng.h"
#include "view/side_view.h"

namespace velk::honest {

class Belief {
  public:
    // replays: a guess that no longer explains what was seen is first played again from a few
    // events back (see replay); without, it is only replaced by a copy of another.
    explicit Belief(int samples = 48, bool replays = true);

    // Brings the samples up to date with the view: starts again when the view began anew, then
    // takes in every event not seen yet. seed fixes every random choice.
    void update(const SideView& view, std::uint64_t seed);

    const std::vector<Position>& samples() const { return samples_; }
    Side side() const { return side_; }

    // How the updates since the view began went, for tests and the benchmark: samples carried
    // forward as they were, re-drawn (played again from a few events back, or else copied from
    // other survivors), repaired, or forced.
    struct Stats {
        long kept = 0;
        long redrawn = 0;
        long repaired = 0;
        long forced = 0;
        long redrawnHistories = 0;
        long replayed = 0;
        // Guesses whose own pieces, own hand or other hand total had to be put right against the
        // view after an update: none unless a guess was repaired, forced or drawn again.
        long resynced = 0;
    };
    const Stats& stats() const { return stats_; }

  private:
    void restart(const SideView& view, std::uint64_t seed);
    // Takes in one event; false (nothing changed) when no sample explains it and repairs are
    // not allowed.
    bool takeIn(const SeenEvent& event, bool mayRepair);
    bool redrawHistory(const SideView& view, std::size_t last);
    // Whether the sample still refuses, the same way, every move refused since the side last
    // moved (the events taken in so far).
    bool keepsRefusalsThisTurn(const Position& w) const;
    void syncWith(const SideView& view);
    std::size_t pickFrom(const std::vector<int>& indices);
    // Plays the events since sample i's anchor again on the anchor, with other random choices,
    // then the event e; true (and the sample replaced) when every one of them fits.
    bool replay(std::size_t i, const SeenEvent& e);
    void moveAnchors();
    // Sample i, now a copy of sample from, is played again from that one's anchors.
    void followAnchors(std::size_t i, std::size_t from);

    int count_;
    bool replays_;
    // What the samples were built from, to notice a new game or a changed history.
    Map startBoard_{};
    Hand startHandMAN_{};
    Hand startHandCOM_{};
    Side side_ = Side::None;
    std::vector<SeenEvent> seen_;
    std::vector<Position> samples_;
    std::vector<Position> before_;
    std::vector<char> alive_;
    // Each sample's state at event anchorAt_ (anchors_) and at nextAt_, REPLAY_STEP events later
    // (next_): a sample that no longer explains what was seen is played again from its anchor, so
    // that it keeps what it believed before its last few random choices.
    std::vector<Position> anchors_;
    std::vector<Position> next_;
    std::size_t anchorAt_ = 0;
    std::size_t nextAt_ = 0;
    std::uint64_t seed_ = 0;
    Rng rng_;
    Stats stats_;
};

// Whether one sample agrees with one event, carrying it forward when it does: the other side's
// move is drawn at random among those that fit what was seen. Exposed for tests.
bool stepSample(Position& w, const SeenEvent& event, Side side, Rng& rng);

// Moves hidden pieces so that the sample can agree with an event about the side's own move.
// false when it cannot. Exposed for tests.
bool repairSample(Position& w, const SeenEvent& event, Side side, Rng& rng);

}  // namespace velk::honest
