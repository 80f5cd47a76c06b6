#include "Sequencer.h"

#include "Instrument.h"
#include "Timing.h"

#include <algorithm>

namespace soundtrack {

Sequencer::Sequencer(std::span<const NoteEvent> events, std::int64_t startFrame)
    : notes(events), frame(startFrame) {
    const auto first = std::lower_bound(
        notes.begin(), notes.end(), startFrame,
        [](const NoteEvent& note, std::int64_t at) { return timing::FrameAt(note.time) < at; });
    next = static_cast<std::size_t>(first - notes.begin());
}

void Sequencer::Render(Mixer& mixer, int frames) {
    const std::int64_t blockEnd = frame + frames;
    for (; next < notes.size(); ++next) {
        const NoteEvent& note = notes[next];
        const std::int64_t start = timing::FrameAt(note.time);
        if (start >= blockEnd) break;
        const Instrument& instrument = *note.instrument;
        const int offset = static_cast<int>(start - frame);
        voices.push_back({instrument.Play(note), instrument.Output(), offset});
        if (instrument.Ducks()) mixer.Duck(offset);
    }

    std::erase_if(voices, [&](Sounding& sounding) {
        const auto offset = static_cast<std::size_t>(sounding.offset);
        sounding.offset = 0;
        return !sounding.voice->Render(mixer.Left(sounding.bus).subspan(offset),
                                       mixer.Right(sounding.bus).subspan(offset));
    });
    frame = blockEnd;
}

} // namespace soundtrack
