// The most memory this process has held at once, in MiB, as the system counts it.
#pragma once

double peakMemoryMiB();
