#pragma once
// The ZIP64 end record together with the locator that led to it; present in an
// Archive only when both were found directly in front of the end record.

#include "Lottie/DotLottie/Zip/Zip64EndOfCentralDirectoryLocator.h"
#include "Lottie/DotLottie/Zip/Zip64EndOfCentralDirectoryRecord.h"

namespace lottie {

struct Zip64EndOfCentralDirectory {
    Zip64EndOfCentralDirectoryRecord record;
    Zip64EndOfCentralDirectoryLocator locator;

    bool operator==(const Zip64EndOfCentralDirectory&) const = default;
};

}  // namespace lottie
