// Turns the sections and the show's cues into the list of notes of the whole piece, and owns
// the instruments those notes are played on.
#pragma once

#include "Instrument.h"
#include "NoteEvent.h"
#include "Section.h"

#include <memory>
#include <span>
#include <vector>

namespace soundtrack {

class Arrangement {
public:
    Arrangement();

    // Every note of the show, in time order.
    std::span<const NoteEvent> Events() const { return events; }

private:
    // The instruments of one section, one for each part.
    struct Band {
        const Instrument* kick;
        const Instrument* snare;
        const Instrument* clap;
        const Instrument* hat;
        const Instrument* openHat;
        const Instrument* crash;
        const Instrument* bass;
        const Instrument* pad;
        const Instrument* arp;
        const Instrument* lead;
        const Instrument* For(Part part) const;
    };

    template <typename T, typename Params>
    const Instrument* Add(const Params& params);
    Band MakeBand(const Sounds& sounds);

    void AddSection(const Section& section, double end);
    void AddTrack(const Section& section, const Track& track, const Band& band, double end);
    void AddMelody(const Section& section, const Track& track, const Band& band, double end);
    void AddEntry(const Section& section, const Band& band);
    void AddCues();

    std::vector<std::unique_ptr<Instrument>> instruments;
    std::vector<NoteEvent> events;
};

} // namespace soundtrack
