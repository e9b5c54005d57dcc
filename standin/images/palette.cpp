#include "standin/images/palette.h"

#include <algorithm>
#include <array>

namespace standin {
namespace {

struct Entry {
  std::uint32_t colour;
  std::uint64_t count;  // pixels of this colour
};

// A run of entries [begin, end) and its widest channel.
struct Box {
  std::size_t begin;
  std::size_t end;
  int channel;  // 0 red, 1 green, 2 blue
  int range;    // max - min on that channel
};

int Channel(std::uint32_t colour, int channel) { return static_cast<int>((colour >> (16 - 8 * channel)) & 0xFF); }

// The distinct colours in ascending order, with their pixel counts.
std::vector<Entry> CountColours(std::span<const std::uint32_t> pixels) {
  std::vector<std::uint32_t> sorted(pixels.begin(), pixels.end());
  std::sort(sorted.begin(), sorted.end());
  std::vector<Entry> entries;
  for (std::uint32_t colour : sorted) {
    if (entries.empty() || entries.back().colour != colour) entries.push_back({colour, 0});
    ++entries.back().count;
  }
  return entries;
}

Box MakeBox(const std::vector<Entry> &entries, std::size_t begin, std::size_t end) {
  Box box{begin, end, 0, -1};
  for (int channel = 0; channel < 3; ++channel) {
    int low = 255, high = 0;
    for (std::size_t i = begin; i < end; ++i) {
      const int value = Channel(entries[i].colour, channel);
      low = std::min(low, value);
      high = std::max(high, value);
    }
    if (high - low > box.range) {
      box.channel = channel;
      box.range = high - low;
    }
  }
  return box;
}

// Splits `box` where its widest channel passes the pixel-weighted mean, which
// keeps clusters of near colours (a pen and its fringe) together. Colours are
// ordered by that channel, then by value, so the order never depends on the
// sort algorithm. Both halves keep at least one colour.
std::size_t SplitPoint(std::vector<Entry> &entries, const Box &box) {
  const auto first = entries.begin() + static_cast<std::ptrdiff_t>(box.begin);
  const auto last = entries.begin() + static_cast<std::ptrdiff_t>(box.end);
  std::sort(first, last, [channel = box.channel](const Entry &a, const Entry &b) {
    const int ca = Channel(a.colour, channel), cb = Channel(b.colour, channel);
    return ca != cb ? ca < cb : a.colour < b.colour;
  });
  std::uint64_t total = 0, sum = 0;
  for (auto it = first; it != last; ++it) {
    total += it->count;
    sum += it->count * static_cast<std::uint64_t>(Channel(it->colour, box.channel));
  }
  std::size_t split = box.begin;
  while (split < box.end && static_cast<std::uint64_t>(Channel(entries[split].colour, box.channel)) * total <= sum)
    ++split;
  return std::clamp(split, box.begin + 1, box.end - 1);
}

std::uint32_t MeanColour(const std::vector<Entry> &entries, const Box &box) {
  std::array<std::uint64_t, 3> sums{};
  std::uint64_t total = 0;
  for (std::size_t i = box.begin; i < box.end; ++i) {
    for (int channel = 0; channel < 3; ++channel)
      sums[channel] += entries[i].count * Channel(entries[i].colour, channel);
    total += entries[i].count;
  }
  std::uint32_t colour = 0;
  for (int channel = 0; channel < 3; ++channel)
    colour = (colour << 8) | static_cast<std::uint32_t>((sums[channel] + total / 2) / total);
  return colour;
}

int DistanceSquared(std::uint32_t a, std::uint32_t b) {
  int sum = 0;
  for (int channel = 0; channel < 3; ++channel) {
    const int d = Channel(a, channel) - Channel(b, channel);
    sum += d * d;
  }
  return sum;
}

// The index of the entry nearest `colour`; the lowest index wins a tie.
std::uint8_t Nearest(const std::vector<std::uint32_t> &palette, std::uint32_t colour) {
  std::size_t best = 0;
  int bestDistance = DistanceSquared(palette[0], colour);
  for (std::size_t i = 1; i < palette.size() && bestDistance > 0; ++i) {
    const int distance = DistanceSquared(palette[i], colour);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<std::uint8_t>(best);
}

std::vector<std::uint32_t> MedianCut(std::vector<Entry> entries, std::size_t maxColours) {
  std::vector<Box> boxes{MakeBox(entries, 0, entries.size())};
  while (boxes.size() < maxColours) {
    // The box with the widest channel is split next; the earliest wins a tie.
    auto widest =
        std::max_element(boxes.begin(), boxes.end(), [](const Box &a, const Box &b) { return a.range < b.range; });
    if (widest->range <= 0) break;
    const Box box = *widest;
    const std::size_t split = SplitPoint(entries, box);
    *widest = MakeBox(entries, box.begin, split);
    boxes.push_back(MakeBox(entries, split, box.end));
  }
  std::vector<std::uint32_t> palette;
  for (const Box &box : boxes) palette.push_back(MeanColour(entries, box));
  return palette;
}

}  // namespace

IndexedPixels IndexColours(std::span<const std::uint32_t> pixels, std::size_t maxColours) {
  maxColours = std::clamp<std::size_t>(maxColours, 1, 256);
  IndexedPixels result;
  if (pixels.empty()) {
    result.exact = true;
    return result;
  }
  const std::vector<Entry> entries = CountColours(pixels);
  // What each distinct colour (in ascending order) maps to.
  std::vector<std::uint8_t> mapping(entries.size());
  result.exact = entries.size() <= maxColours;
  if (result.exact) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      result.palette.push_back(entries[i].colour);
      mapping[i] = static_cast<std::uint8_t>(i);
    }
  } else {
    result.palette = MedianCut(entries, maxColours);
    for (std::size_t i = 0; i < entries.size(); ++i) mapping[i] = Nearest(result.palette, entries[i].colour);
  }
  result.indices.reserve(pixels.size());
  for (std::uint32_t colour : pixels) {
    const auto it = std::lower_bound(entries.begin(), entries.end(), colour,
                                     [](const Entry &entry, std::uint32_t value) { return entry.colour < value; });
    result.indices.push_back(mapping[static_cast<std::size_t>(it - entries.begin())]);
  }
  return result;
}

}  // namespace standin
