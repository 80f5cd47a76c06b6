// A grid of pattern cells: rows down, channels across.
#pragma once

#include "TrackerModule/PatternCell.h"

#include <cstddef>
#include <vector>

class TrackerPattern {
public:
    TrackerPattern(std::size_t rowCount, std::size_t channelCount);

    std::size_t Rows() const { return rows; }
    std::size_t Channels() const { return channels; }

    // Throws std::out_of_range outside the grid.
    PatternCell& At(std::size_t row, std::size_t channel);
    const PatternCell& At(std::size_t row, std::size_t channel) const;

private:
    std::size_t Index(std::size_t row, std::size_t channel) const;

    std::size_t rows;
    std::size_t channels;
    std::vector<PatternCell> cells;
};
