#pragma once
// For measurements only (the benchmarks): with `off` true, Transaction
// brackets open no unit of their own, so every statement commits by itself
// as it would without them. Failures still stop the statements that follow.
void setTransactionsOff(bool off);
