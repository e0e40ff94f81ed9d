// Scheduling of the fast walk. Planes and slabs are computed by worker threads
// in a window a few slabs deep; the calling thread writes each slab's text in
// z order and reports progress, so the file and the progress sequence are
// those of the cube-by-cube walk.
#include "surface/fast_walk.h"

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "surface/orbital_sampler.h"
#include "surface/slab_work.h"

namespace {

int SlabProgress(const GridBox& box, int z) {
  return static_cast<int>((static_cast<long long>(z - box.LoZ) * 100) / (box.HiZ - box.LoZ));
}

void WriteSlab(const SlabText& slab, const GridBox& box, const ProgressFunction& progress, MeshWriter& mesh) {
  WriteTriangleText(mesh, slab.Text.data(), slab.Text.size(), slab.Triangles);
  if (progress) progress(SlabProgress(box, slab.Z));
}

void WalkOnThisThread(const OrbitalSampler& sampler, const GridBox& box, float threshold, int level,
                      const ProgressFunction& progress, MeshWriter& mesh) {
  SlabWorker worker(sampler, box, threshold, level);
  GridPlane planes[2];
  SlabText slab;
  worker.ComputePlane(box.LoZ, planes[0]);
  for (int z = box.LoZ; z < box.HiZ; ++z) {
    const GridPlane& lower = planes[(z - box.LoZ) % 2];
    GridPlane& upper = planes[(z - box.LoZ + 1) % 2];
    worker.ComputePlane(z + 1, upper);
    worker.ComputeSlab(lower, upper, slab);
    WriteSlab(slab, box, progress, mesh);
  }
}

// Planes and slabs are started in z order. Plane k goes into ring slot
// k mod PlaneSlots once the slab that last read that slot has been written;
// slab z needs planes z and z + 1 and a free text slot.
class Pipeline {
 public:
  Pipeline(const OrbitalSampler& sampler, const GridBox& box, float threshold, int level, int threads)
      : Box(box),
        PlaneSlots(threads + 2),
        SlabSlots(threads + 1),
        Planes(PlaneSlots),
        PlaneDone(PlaneSlots, INT_MIN),
        Slabs(SlabSlots),
        SlabDone(SlabSlots, INT_MIN),
        NextPlane(box.LoZ),
        NextSlab(box.LoZ),
        NextWrite(box.LoZ) {
    for (int t = 0; t < threads; ++t) {
      Workers.emplace_back([this, &sampler, threshold, level] { Work(SlabWorker(sampler, Box, threshold, level)); });
    }
  }

  // Stops the workers however the walk ends, so none outlives the walk.
  ~Pipeline() {
    {
      std::lock_guard<std::mutex> hold(Lock);
      Stopping = true;
    }
    Changed.notify_all();
    for (std::thread& worker : Workers) worker.join();
  }

  void WriteAll(const ProgressFunction& progress, MeshWriter& mesh) {
    for (int z = Box.LoZ; z < Box.HiZ; ++z) {
      const int slot = (z - Box.LoZ) % SlabSlots;
      {
        std::unique_lock<std::mutex> hold(Lock);
        Changed.wait(hold, [&] { return Failure || SlabDone[slot] == z; });
        if (Failure) std::rethrow_exception(Failure);
      }
      WriteSlab(Slabs[slot], Box, progress, mesh);
      {
        std::lock_guard<std::mutex> hold(Lock);
        NextWrite = z + 1;
      }
      Changed.notify_all();
    }
  }

 private:
  int PlaneSlot(int z) const { return (z - Box.LoZ) % PlaneSlots; }

  bool SlabCanStart() const {
    return NextSlab < Box.HiZ && PlaneDone[PlaneSlot(NextSlab)] == NextSlab &&
           PlaneDone[PlaneSlot(NextSlab + 1)] == NextSlab + 1 && NextSlab - SlabSlots < NextWrite;
  }

  bool PlaneCanStart() const { return NextPlane <= Box.HiZ && NextPlane - PlaneSlots < NextWrite; }

  void Work(SlabWorker worker) {
    std::unique_lock<std::mutex> hold(Lock);
    while (!Stopping && !Failure) {
      if (SlabCanStart()) {
        const int z = NextSlab++;
        const int slot = (z - Box.LoZ) % SlabSlots;
        hold.unlock();
        const bool done = Run([&] { worker.ComputeSlab(Planes[PlaneSlot(z)], Planes[PlaneSlot(z + 1)], Slabs[slot]); });
        hold.lock();
        if (done) SlabDone[slot] = z;
      } else if (PlaneCanStart()) {
        const int z = NextPlane++;
        const int slot = PlaneSlot(z);
        PlaneDone[slot] = INT_MIN;
        hold.unlock();
        const bool done = Run([&] { worker.ComputePlane(z, Planes[slot]); });
        hold.lock();
        if (done) PlaneDone[slot] = z;
      } else if (NextSlab >= Box.HiZ) {
        return;
      } else {
        Changed.wait(hold);
        continue;
      }
      Changed.notify_all();
    }
  }

  // Runs one piece of work outside the lock; an error is kept for the
  // writing thread, which raises it.
  template <class Task>
  bool Run(const Task& task) {
    try {
      task();
      return true;
    } catch (...) {
      std::lock_guard<std::mutex> hold(Lock);
      if (!Failure) Failure = std::current_exception();
      return false;
    }
  }

  const GridBox Box;
  const int PlaneSlots, SlabSlots;
  std::vector<GridPlane> Planes;
  std::vector<int> PlaneDone;  // per slot, the z of the finished plane it holds
  std::vector<SlabText> Slabs;
  std::vector<int> SlabDone;   // per slot, the z of the finished slab it holds
  int NextPlane, NextSlab, NextWrite;
  bool Stopping = false;
  std::exception_ptr Failure;
  std::mutex Lock;
  std::condition_variable Changed;
  std::vector<std::thread> Workers;
};

}  // namespace

void WalkGridFast(const Molecule& molecule, const GridBox& box, float threshold, int level, int threads,
                  const ProgressFunction& progress, MeshWriter& mesh) {
  if (box.LoZ >= box.HiZ) return;
  if (box.HiX <= box.LoX || box.HiY <= box.LoY) {
    // No cube to walk, but every slab still moves the progress bar.
    for (int z = box.LoZ; z < box.HiZ; ++z) {
      if (progress) progress(SlabProgress(box, z));
    }
    return;
  }
  if (threads == AllThreads) threads = static_cast<int>(std::thread::hardware_concurrency());
  threads = std::max(1, std::min(threads, box.HiZ - box.LoZ));
  const OrbitalSampler sampler(molecule);
  if (threads == 1) {
    WalkOnThisThread(sampler, box, threshold, level, progress, mesh);
    return;
  }
  Pipeline pipeline(sampler, box, threshold, level, threads);
  pipeline.WriteAll(progress, mesh);
}
