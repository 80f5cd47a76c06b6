#include "TrackerModule/TrackerPattern.h"

#include <stdexcept>

TrackerPattern::TrackerPattern(std::size_t rowCount, std::size_t channelCount)
    : rows(rowCount), channels(channelCount), cells(rowCount * channelCount) {}

std::size_t TrackerPattern::Index(std::size_t row, std::size_t channel) const {
    if (row >= rows || channel >= channels)
        throw std::out_of_range("pattern cell outside the pattern");
    return row * channels + channel;
}

PatternCell& TrackerPattern::At(std::size_t row, std::size_t channel) {
    return cells[Index(row, channel)];
}

const PatternCell& TrackerPattern::At(std::size_t row, std::size_t channel) const {
    return cells[Index(row, channel)];
}
