// The terms of one evaluation, collected only when a trace is asked for.
#pragma once

#include "com/weights.h"

namespace velk {

struct EvalTerm {
    const char* name;
    Score value;
};

// The terms that contributed to one candidate's score, in the order the evaluation adds them.
// Terms worth nothing are left out, so the values always add up to the score.
struct EvalTrace {
    static constexpr int CAPACITY = 32;  // more than the evaluation has terms
    EvalTerm terms[CAPACITY]{};
    int count = 0;

    void add(const char* name, Score value) {
        if (value != 0 && count < CAPACITY) terms[count++] = {name, value};
    }
};

// Adds a term to the trace when there is one; returns the term's value.
inline Score traced(EvalTrace* trace, const char* name, Score value) {
    if (trace != nullptr) trace->add(name, value);
    return value;
}

}  // namespace velk
