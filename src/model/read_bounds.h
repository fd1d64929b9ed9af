#pragma once
// The bounds of one read of a section or a sequence with everything it names.

#include <cstdint>

/// The most points one read of a section or sequence may hold, counted once
/// per distinct drawing and per ILDA image: about 800 MB. Paths, frames and
/// palettes count as points too, by what they keep (kFrameWeight and the like),
/// so that no show within the bound takes more than 2 GB.
inline constexpr std::uint64_t kMaxPointsPerRead = 20'000'000;

/// What one path of a drawing counts for against the point bound.
inline constexpr std::uint64_t kPathWeight = 1;
/// What one frame, or one palette, of an ILDA image counts for.
inline constexpr std::uint64_t kFrameWeight = 4;
inline constexpr std::uint64_t kPaletteWeight = 4;
/// Palette entries that count for one point (3 bytes each; rounded up per palette).
inline constexpr std::uint64_t kPaletteEntriesPerUnit = 4;

/// The most section rows and sequence items one read may hold, every row of
/// every item that names a section counted: about 60 MB of rows.
inline constexpr std::uint64_t kMaxRowsPerRead = 500'000;
