#pragma once
// -j N: runs the inputs in up to N worker processes at once. Each worker is this program
// started again for one input: it writes its own journal file (<journal>-<STEM>.txt beside
// the main one) and sends each journal line back through a pipe; when it ends, its lines
// go into the main journal together, then its messages and its other output. A worker
// that outlives the timeout is killed and its input counts as failed.

#include "cli/batch.hpp"

namespace ombrelune {

// Runs every input; stops starting new ones on Ctrl-C or, with --stop-on-error, after
// the first failure, and lets those under way finish.
void runInputsInWorkers(const RunOptions& options, Journal& journal, Console& console,
                        BatchTally& tally);

} // namespace ombrelune
