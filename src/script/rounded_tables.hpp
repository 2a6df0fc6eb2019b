#pragma once
// Tables and split constants of the fast extended-precision functions, as double-double
// pairs {hi, lo} (hi + lo is the value to about 2^-106 relative). Generated once in
// binary128 by tools/rounded_tables_generator.cpp into rounded_tables.cpp.

namespace ombrelune::rounded::tables {

extern const double piOver2[3];     // pi/2 as a sum of three doubles (about 160 bits)
extern const double twoOverPi;      // 2/pi, nearest double
extern const double piOver2Pair[2]; // pi/2
extern const double ln2Over128[2];  // ln 2 / 128
extern const double onehundredTwentyEightOverLn2;
extern const double ln2Short[2]; // ln 2 with a 42-bit head: m * head is exact for |m| < 2^11
extern const double inverseLn10[2];
extern const double inverseLn2[2];

extern const double exp2Table[128][2]; // 2^(j/128)
extern const double logTable[128][3];  // {invc, -ln(invc) as a pair} per interval of z
extern const double trigTable[203][4]; // sin(j/128), cos(j/128) for j = -101 .. 101
extern const double atanTable[65][2];  // atan(j/64)

} // namespace ombrelune::rounded::tables
