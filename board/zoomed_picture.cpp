#include "board/zoomed_picture.h"
#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <stdint.h>
#include <string.h>
#include <thread>
#include <vector>

namespace {

const int kNoSlot = -1;
const int kSlotCount = (int)(kZoomedBudgetBytes / ((size_t)kZoomedTileSide * kZoomedTileSide * 4));

struct TileSlot {
    std::vector<uint32_t> pixels;  // made on first use, kept for the next tile
    PixelImage image;
    int cell;       // the grid cell it holds, or kNoSlot
    uint64_t used;  // when it was last asked for
};

struct ZoomedPicture {
    const uint32_t* source;
    int sourceWidth, sourceHeight;
    int width, height;
    int columns, rows;        // of the tile grid
    std::vector<int> slotOf;  // by cell
    std::vector<TileSlot> slots;
    uint64_t clock;
    std::vector<uint32_t> partPixels;
    PixelImage part;
};

ZoomedPicture s_zoomed;

PixelRect CellRect(int cell)
{
    const int left = cell % s_zoomed.columns * kZoomedTileSide;
    const int top = cell / s_zoomed.columns * kZoomedTileSide;
    return PixelRect{left, top, std::min(left + kZoomedTileSide, s_zoomed.width),
                     std::min(top + kZoomedTileSide, s_zoomed.height)};
}

// The least recently used slot, given up by its cell; a free one first.
int TakeSlot(int cell)
{
    int chosen = 0;
    for (int i = 0; i < (int)s_zoomed.slots.size(); ++i) {
        if (s_zoomed.slots[i].cell == kNoSlot) {
            chosen = i;
            break;
        }
        if (s_zoomed.slots[i].used < s_zoomed.slots[chosen].used)
            chosen = i;
    }
    TileSlot& slot = s_zoomed.slots[chosen];
    if (slot.cell != kNoSlot)
        s_zoomed.slotOf[slot.cell] = kNoSlot;
    slot.cell = cell;
    slot.used = ++s_zoomed.clock;
    s_zoomed.slotOf[cell] = chosen;
    return chosen;
}

void ShapeSlot(TileSlot* slot)
{
    const PixelRect r = CellRect(slot->cell);
    slot->pixels.resize((size_t)kZoomedTileSide * kZoomedTileSide);
    slot->image = PixelImage{slot->pixels.data(), r.right - r.left, r.bottom - r.top};
}

void FreeSlot(int index)
{
    s_zoomed.slotOf[s_zoomed.slots[index].cell] = kNoSlot;
    s_zoomed.slots[index].cell = kNoSlot;
}

bool ScaleSlot(const TileSlot& slot)
{
    return ScalePixels((const unsigned char*)s_zoomed.source, s_zoomed.sourceWidth,
                       s_zoomed.sourceWidth, s_zoomed.sourceHeight, s_zoomed.width, s_zoomed.height,
                       CellRect(slot.cell), (unsigned char*)slot.image.pixels, slot.image.width);
}

// The slot holding the cell's tile, scaled if it was missing; kNoSlot when the scaler
// found no memory.
int TileOf(int cell)
{
    int index = s_zoomed.slotOf[cell];
    if (index != kNoSlot) {
        s_zoomed.slots[index].used = ++s_zoomed.clock;
        return index;
    }
    index = TakeSlot(cell);
    ShapeSlot(&s_zoomed.slots[index]);
    if (ScaleSlot(s_zoomed.slots[index]))
        return index;
    FreeSlot(index);
    return kNoSlot;
}

// Every other one of the tiles taken, from the first given on; whether each was scaled.
struct ScalingRound {
    const std::vector<int>* taken;
    std::vector<char>* scaled;
};

void ScaleEveryOther(const ScalingRound& round, size_t first)
{
    for (size_t i = first; i < round.taken->size(); i += 2)
        (*round.scaled)[i] = ScaleSlot(s_zoomed.slots[(*round.taken)[i]]);
}

// A second thread scales half the tiles of a round beside the painting thread. It is started
// at the first round and kept, waiting: starting a thread costs some 3 ms under Wine, about
// what it saves in a round.
struct ScalingHelper {
    std::mutex lock;
    std::condition_variable wake, finished;
    ScalingRound round;
    uint64_t given, done;  // rounds handed to the helper, and finished by it
};

// Never freed: the helper waits on it until the process ends.
ScalingHelper* s_helper;
bool s_helperRefused;

void HelpScaling(ScalingHelper* helper)
{
    std::unique_lock<std::mutex> hold(helper->lock);
    for (uint64_t seen = 0;; seen = helper->given) {
        helper->wake.wait(hold, [&] { return helper->given != seen; });
        const ScalingRound round = helper->round;
        hold.unlock();
        ScaleEveryOther(round, 1);
        hold.lock();
        helper->done = helper->given;
        helper->finished.notify_one();
    }
}

// The helper, started if it is not yet; none when the system gives no thread, and then this
// thread scales every tile itself.
ScalingHelper* Helper()
{
    if (s_helper || s_helperRefused)
        return s_helper;
    ScalingHelper* helper = new (std::nothrow) ScalingHelper();
    // std::thread says it could not start a thread, or had no memory for one, only by
    // throwing.
    try {
        if (helper)
            std::thread(HelpScaling, helper).detach();
        s_helper = helper;
    } catch (const std::exception&) {
        delete helper;
    }
    s_helperRefused = !s_helper;
    return s_helper;
}

void Forget()
{
    std::fill(s_zoomed.slotOf.begin(), s_zoomed.slotOf.end(), kNoSlot);
    for (TileSlot& slot : s_zoomed.slots)
        slot.cell = kNoSlot;
}

}  // namespace

void SetZoomedPicture(const uint32_t* source, int sourceWidth, int sourceHeight, int width,
                      int height)
{
    ZoomedPicture& z = s_zoomed;
    z.source = source;
    z.sourceWidth = sourceWidth;
    z.sourceHeight = sourceHeight;
    z.width = width;
    z.height = height;
    z.columns = (width + kZoomedTileSide - 1) / kZoomedTileSide;
    z.rows = (height + kZoomedTileSide - 1) / kZoomedTileSide;
    z.slotOf.assign((size_t)z.columns * z.rows, kNoSlot);
    // The slots keep their memory from zoom to zoom: touching it anew costs more than the
    // scaling of a small zoom.
    z.slots.resize(kSlotCount);
    Forget();
}

void ForgetZoomedPicture()
{
    std::vector<int>().swap(s_zoomed.slotOf);
    std::vector<TileSlot>().swap(s_zoomed.slots);
    std::vector<uint32_t>().swap(s_zoomed.partPixels);
    s_zoomed.source = nullptr;
    s_zoomed.width = s_zoomed.height = s_zoomed.columns = s_zoomed.rows = 0;
}

bool HasZoomedPicture()
{
    return s_zoomed.source != nullptr;
}

ZoomedView ZoomedPart(const PixelRect& part)
{
    ZoomedPicture& z = s_zoomed;
    const int c0 = part.left / kZoomedTileSide, c1 = (part.right - 1) / kZoomedTileSide;
    const int r0 = part.top / kZoomedTileSide, r1 = (part.bottom - 1) / kZoomedTileSide;
    if (c0 == c1 && r0 == r1) {
        const int index = TileOf(r0 * z.columns + c0);
        if (index != kNoSlot)
            return ZoomedView{&z.slots[index].image, c0 * kZoomedTileSide, r0 * kZoomedTileSide};
        z.part = PixelImage{nullptr, 0, 0};
        return ZoomedView{&z.part, part.left, part.top};
    }
    const int width = part.right - part.left, height = part.bottom - part.top;
    z.partPixels.resize((size_t)width * height);
    z.part = PixelImage{z.partPixels.data(), width, height};
    for (int row = r0; row <= r1; ++row) {
        for (int column = c0; column <= c1; ++column) {
            const int index = TileOf(row * z.columns + column);
            if (index == kNoSlot) {
                z.part = PixelImage{nullptr, 0, 0};
                return ZoomedView{&z.part, part.left, part.top};
            }
            const PixelImage& tile = z.slots[index].image;
            const int tileLeft = column * kZoomedTileSide, tileTop = row * kZoomedTileSide;
            const int left = std::max(part.left, tileLeft);
            const int right = std::min(part.right, tileLeft + tile.width);
            const int top = std::max(part.top, tileTop);
            const int bottom = std::min(part.bottom, tileTop + tile.height);
            for (int y = top; y < bottom; ++y)
                memcpy(&z.partPixels[(size_t)(y - part.top) * width + (left - part.left)],
                       &tile.pixels[(size_t)(y - tileTop) * tile.width + (left - tileLeft)],
                       (size_t)(right - left) * 4);
        }
    }
    return ZoomedView{&z.part, part.left, part.top};
}

void PrepareZoomedParts(const PixelRect* parts, size_t count)
{
    ZoomedPicture& z = s_zoomed;
    // Each missing cell once, no more than there are slots: the rest comes when drawn.
    std::vector<int> missing;
    std::vector<bool> listed(z.slotOf.size());
    for (size_t i = 0; i < count && missing.size() < z.slots.size(); ++i) {
        const PixelRect& p = parts[i];
        if (p.right <= p.left || p.bottom <= p.top)
            continue;
        for (int row = p.top / kZoomedTileSide; row <= (p.bottom - 1) / kZoomedTileSide; ++row)
            for (int column = p.left / kZoomedTileSide;
                 column <= (p.right - 1) / kZoomedTileSide && missing.size() < z.slots.size();
                 ++column) {
                const int cell = row * z.columns + column;
                if (z.slotOf[cell] == kNoSlot && !listed[cell]) {
                    listed[cell] = true;
                    missing.push_back(cell);
                }
            }
    }
    // Slots are handed out here, on this thread; the threads only scale into them.
    std::vector<int> taken;
    for (int cell : missing) {
        taken.push_back(TakeSlot(cell));
        ShapeSlot(&z.slots[taken.back()]);
    }
    std::vector<char> scaled(taken.size());
    const ScalingRound round = {&taken, &scaled};
    ScalingHelper* helper = taken.size() > 1 ? Helper() : nullptr;
    if (helper) {
        std::lock_guard<std::mutex> hold(helper->lock);
        helper->round = round;
        ++helper->given;
        helper->wake.notify_one();
    }
    ScaleEveryOther(round, 0);
    if (helper) {
        std::unique_lock<std::mutex> hold(helper->lock);
        helper->finished.wait(hold, [&] { return helper->done == helper->given; });
    } else {
        ScaleEveryOther(round, 1);
    }
    for (size_t i = 0; i < taken.size(); ++i)
        if (!scaled[i])
            FreeSlot(taken[i]);
}

PixelRect ZoomedClip(int left, int top, int width, int height)
{
    PixelRect r = {std::max(left, 0), std::max(top, 0), std::min(left + width, s_zoomed.width),
                   std::min(top + height, s_zoomed.height)};
    if (r.right <= r.left || r.bottom <= r.top)
        r = PixelRect{0, 0, 0, 0};
    return r;
}

size_t ZoomedTilesHeld()
{
    size_t held = 0;
    for (const TileSlot& slot : s_zoomed.slots)
        held += slot.cell != kNoSlot;
    return held;
}
