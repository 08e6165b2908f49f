// Alphabet sizes and field widths of the -lh5- block format.
#pragma once

namespace lh5 {

const int kWindowBits = 13;
const int kWindowSize = 1 << kWindowBits;
const int kMinMatch = 3;
const int kMaxMatch = 256;
const int kLiteralCount = 256 + kMaxMatch - kMinMatch + 1;  // NC: 510
const int kLiteralCountBits = 9;
const int kDistanceCount = kWindowBits + 1;  // NP: 14
const int kDistanceCountBits = 4;
const int kLengthCodeCount = 19;  // NT: 16 lengths and three zero-run codes
const int kLengthCodeCountBits = 5;
// After this many code-length-code lengths a 2-bit count of zero lengths follows.
const int kLengthCodeSkipAt = 3;

}  // namespace lh5
