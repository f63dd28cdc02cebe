// The survey runs once per candidate move of the computer: it must not touch the heap.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "game/survey.h"
#include "support/board_text.h"

namespace {
long heapAllocations = 0;
}

// Counting replacements of the plain operator new/delete, weak so that another test file of
// this executable may bring its own.
__attribute__((weak)) void* operator new(std::size_t size) {
    ++heapAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
__attribute__((weak)) void operator delete(void* p) noexcept {
    std::free(p);
}
__attribute__((weak)) void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace velk {
namespace {

TEST(SurveyAllocation, AMiddleGamePositionSurveysWithoutAllocating) {
    GameState s = testkit::position(
        "ln1g1g1nl/1ks2r3/1ppp1sbpp/p3ppp2/9/2P1P1P2/PP1PSP1PP/1BK1G2R1/LNSG3NL", "Pp");
    勢力調査(s);  // warm up
    std::unique_ptr<int> probe(new int(1));
    if (heapAllocations == 0) GTEST_SKIP() << "another operator new replaced the counting one";
    const long before = heapAllocations;
    for (int i = 0; i < 100; ++i) 勢力調査(s);
    EXPECT_EQ(heapAllocations, before);
}

}  // namespace
}  // namespace velk
