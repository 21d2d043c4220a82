#include "tools/vmr_sim/sim_run.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "common/random.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/entities/checkpoint_times.h"
#include "game/entities/movers.h"
#include "game/platform/game_clock.h"
#include "game/platform/headless_services.h"
#include "game/platform/virtual_keys.h"
#include "game/simulation/camera_steering.h"
#include "game/simulation/level_completion.h"
#include "game/simulation/replay_recorder.h"
#include "game/simulation/simulation.h"
#include "game/water/finite_water.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"

namespace {

// ---- Script ------------------------------------------------------------------------------

// Plays a script's actions before their ticks and holds the arrow keys while a hold lasts;
// a recording notes the restarts and console lines among them. Times are in the run's unit:
// the tick's number, or the seconds of ticks before it when the run is paced by frames.
class ScriptPlayer {
 public:
  ScriptPlayer(const SimRunSettings& settings, ReplayRecorder* recorder) : recorder_(recorder) {
    for (const ScriptAction& action : settings.script.actions) {
      const double at = settings.timeOf(action.at);
      const double length = settings.timeOf(action.holdFor) * settings.holdScale;
      actions_.push_back({&action, at, at + length});
    }
  }

  void beforeTick(double now) {
    // A tenth of a millisecond, or of a tick, of slack: sums of tick lengths are not exact.
    now += 1e-4;
    while (next_ < actions_.size() && actions_[next_].at <= now) {
      const ScriptAction& action = *actions_[next_++].action;
      play(action);
      if (recorder_ != nullptr) note(action);
    }
    platform::HeadlessServices& services = platform::headlessServices();
    services.setKeyDown(vk::kLeft, holding(ScriptKey::kLeft, now));
    services.setKeyDown(vk::kRight, holding(ScriptKey::kRight, now));
  }

 private:
  struct TimedAction {
    const ScriptAction* action;
    double at;
    double until;  // a hold's end
  };

  static void play(const ScriptAction& action) {
    switch (action.kind) {
      case ScriptActionKind::kAngle: camera::setAngle(action.degrees); break;
      case ScriptActionKind::kConsole: console::submitLine(action.consoleLine); break;
      case ScriptActionKind::kRestart: simulation::restartLevel(); break;
      case ScriptActionKind::kHold: break;  // read by holding()
    }
  }

  void note(const ScriptAction& action) {
    if (action.kind == ScriptActionKind::kConsole && console::playsInReplay(action.consoleLine))
      recorder_->noteConsoleLine(action.consoleLine);
    if (action.kind == ScriptActionKind::kRestart) recorder_->noteRestart();
  }

  bool holding(ScriptKey key, double now) const {
    for (const TimedAction& timed : actions_)
      if (timed.action->kind == ScriptActionKind::kHold && timed.action->key == key &&
          timed.at <= now && now < timed.until)
        return true;
    return false;
  }

  std::vector<TimedAction> actions_;
  ReplayRecorder* recorder_;
  size_t next_ = 0;
};

// The lengths of a run's ticks: a recorded run's own, then the fixed one; or paced by frames.
class TickLengths {
 public:
  explicit TickLengths(const SimRunSettings& settings) : settings_(settings) {
    if (settings.frames) paced_.emplace(*settings.frames);
  }

  // The next tick's length; the game clock has moved on to its time.
  float next(int64_t tick) {
    if (paced_) return paced_->next();
    const auto index = static_cast<size_t>(tick);
    const float length =
        index < settings_.tickTimes.size() ? settings_.tickTimes[index] : settings_.dt;
    game_clock::advance(length);
    return length;
  }

 private:
  const SimRunSettings& settings_;
  std::optional<FramePacedTicks> paced_;
};

// Whether the run goes on after `ticks` ticks that took `seconds`.
bool moreTicks(const SimRunSettings& settings, int64_t ticks, double seconds) {
  if (settings.framePaced() && settings.ticks == 0) return seconds < settings.seconds;
  return ticks < settings.ticks;
}

// ---- Summary text ------------------------------------------------------------------------

std::string number(float value) {
  return shortestText(value);
}

std::string number(double value) {
  std::array<char, 32> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 6);
  return std::string(buffer.data(), result.ptr);
}

std::string hex(uint64_t value) {
  std::array<char, 16> buffer;
  for (int i = 15; i >= 0; --i, value >>= 4) buffer[size_t(i)] = "0123456789abcdef"[value & 15];
  return std::string(buffer.data(), buffer.size());
}

template <typename Float>
std::string jsonNumber(Float value) {
  return std::isfinite(value) ? number(value) : "null";
}

std::string jsonPoint(Vec2 p) {
  return "[" + jsonNumber(p.x) + ", " + jsonNumber(p.y) + "]";
}

// Each field's key and its text and JSON forms, in the order both print them.
struct Field {
  std::string_view key;
  std::string text;
  std::string json;
};

std::string flag(bool value) {
  return value ? "true" : "false";
}

// Points as "x y" joined by ", " (text) or as a JSON array of [x, y].
std::string pointList(const std::vector<Vec2>& points) {
  std::string text;
  for (Vec2 p : points) text += (text.empty() ? "" : ", ") + number(p.x) + " " + number(p.y);
  return text;
}

std::string jsonPointList(const std::vector<Vec2>& points) {
  std::string json;
  for (Vec2 p : points) json += (json.empty() ? "" : ", ") + jsonPoint(p);
  return "[" + json + "]";
}

std::vector<Field> summaryFields(const SimSummary& s) {
  const auto whole = [](auto value) { return std::to_string(value); };
  const auto point = [](Vec2 p) { return number(p.x) + " " + number(p.y); };
  return {
      {"ticks", whole(s.ticks), whole(s.ticks)},
      {"free_particles", whole(s.freeParticles), whole(s.freeParticles)},
      {"ice_groups", whole(s.iceGroups), whole(s.iceGroups)},
      {"ice_particles", whole(s.iceParticles), whole(s.iceParticles)},
      {"steam_particles", whole(s.steamParticles), whole(s.steamParticles)},
      {"water_centre", point(s.waterCentre), jsonPoint(s.waterCentre)},
      {"camera_position", point(s.cameraPosition), jsonPoint(s.cameraPosition)},
      {"camera_angle", number(s.cameraAngle), jsonNumber(s.cameraAngle)},
      {"camera_zoom", number(s.cameraZoom), jsonNumber(s.cameraZoom)},
      {"camera_mode", whole(s.cameraMode), whole(s.cameraMode)},
      {"state_hash", hex(s.stateHash), "\"" + hex(s.stateHash) + "\""},
      {"ms_per_tick", number(s.msPerTick), jsonNumber(s.msPerTick)},
      {"won", flag(s.won), flag(s.won)},
      {"water_finite", flag(s.waterFinite), flag(s.waterFinite)},
      {"win_tick", whole(s.winTick), whole(s.winTick)},
      {"win_seconds", number(s.winSeconds), jsonNumber(s.winSeconds)},
      {"level_over", flag(s.levelOver), flag(s.levelOver)},
      {"level_clock_ms", whole(s.levelClockMs), whole(s.levelClockMs)},
      {"time_score", whole(s.timeScore), whole(s.timeScore)},
      {"water_score", whole(s.waterScore), whole(s.waterScore)},
      {"score", whole(s.score), whole(s.score)},
      {"checkpoints_reached", whole(s.checkpointsReached), whole(s.checkpointsReached)},
      {"respawns", whole(s.respawns), whole(s.respawns)},
      {"mover_positions", pointList(s.moverPositions), jsonPointList(s.moverPositions)},
  };
}

// The console closes the (invisible) window on "Quit", which ends the run as it ends a game.
bool windowOpen() {
  return platform::headlessServices().isWindowOpen();
}

}  // namespace

bool waterIsFinite() {
  return !nonFiniteWater(particle_manager::particleList(), grouped_particle_mover::groupList());
}

void noteRunEnd(SimSummary& summary, int64_t ticks, int64_t winTick, bool finiteAllTheWhile) {
  summary.ticks = ticks;
  summary.waterFinite = finiteAllTheWhile && waterIsFinite();
  summary.won = summary.won && summary.waterFinite;
  summary.winTick = summary.waterFinite ? winTick : -1;
}

SimSummary summariseState() {
  const ParticleList& particles = particle_manager::particleList();
  const ParticleGroupList& groups = grouped_particle_mover::groupList();
  SimSummary s;
  s.freeParticles = particles.size();
  s.iceGroups = groups.size();
  for (const ParticleGroup& group : groups) s.iceParticles += group.particles.size();
  for (const Particle& p : particles) s.steamParticles += p.isSteam() ? 1 : 0;
  s.cameraPosition = camera::position();
  s.waterCentre = camera::waterCentre(s.cameraPosition);
  s.cameraAngle = camera::angle();
  s.cameraZoom = camera::zoom();
  s.cameraMode = camera::mode();
  s.stateHash = simulation::particleStateHash(particles, groups);
  s.won = level_record::isFinishing();
  s.levelOver = level_record::isLevelOver();
  s.levelClockMs = level_record::elapsedMs();
  s.timeScore = level_completion::timeScore();
  s.waterScore = level_completion::waterScore();
  s.score = level_completion::score();
  s.checkpointsReached = checkpoint_times::reachedCount();
  s.respawns = level_record::respawnCount();
  for (const Mover& mover : movers::moverList())
    s.moverPositions.push_back(mover.start + mover.direction * mover.position);
  return s;
}

std::optional<SimSummary> runSimulation(const SimRunSettings& settings,
                                        const TickObserver& afterTick,
                                        std::optional<replay::Replay>* recording) {
  platform::HeadlessServices& services = platform::headlessServices();
  services.reopen();
  services.releaseAllKeys();
  services.setClientSize(settings.viewWidth, settings.viewHeight);
  rng::seed(settings.seed);
  const uint64_t start = rng::position();
  game_clock::useSimulatedClock();
  if (!simulation::startLevel(settings.level)) return std::nullopt;

  std::optional<ReplayRecorder> recorder;
  if (recording != nullptr) recorder.emplace(replayHeaderHere(settings.level, start));
  using Clock = std::chrono::steady_clock;
  Clock::duration tickTime{};
  ScriptPlayer script(settings, recorder ? &*recorder : nullptr);
  TickLengths lengths(settings);
  int64_t ticksRun = 0;
  double secondsRun = 0.0;
  int64_t winTick = -1;
  double winSeconds = -1.0;
  bool waterFinite = true;
  while (moreTicks(settings, ticksRun, secondsRun) && windowOpen()) {
    script.beforeTick(settings.framePaced() ? secondsRun : double(ticksRun));
    if (!windowOpen()) break;
    const float dt = lengths.next(ticksRun);
    const Clock::time_point start = Clock::now();
    const simulation::TickReport report = simulation::tick(dt);
    tickTime += Clock::now() - start;
    if (recorder) recorder->recordTick(dt, {}, report);
    ++ticksRun;
    secondsRun += dt;
    if (winTick < 0 && level_record::isFinishing()) {
      winTick = ticksRun;
      winSeconds = secondsRun;
    }
    waterFinite = waterFinite && waterIsFinite();
    if (afterTick) afterTick(ticksRun);
  }
  services.releaseAllKeys();
  if (recorder && !recorder->overfull()) *recording = recorder->finish();

  SimSummary summary = summariseState();
  noteRunEnd(summary, ticksRun, winTick, waterFinite);
  if (summary.winTick >= 0) summary.winSeconds = winSeconds;
  if (ticksRun > 0)
    summary.msPerTick =
        std::chrono::duration<double, std::milli>(tickTime).count() / double(ticksRun);
  return summary;
}

std::string summaryText(const SimSummary& summary) {
  std::string text;
  for (const Field& field : summaryFields(summary))
    text += std::string(field.key) + ": " + field.text + "\n";
  return text;
}

std::string summaryJson(const SimSummary& summary, const std::vector<std::string>* replayDiffers) {
  std::string json = "{";
  for (const Field& field : summaryFields(summary)) {
    json += json.size() == 1 ? "\n" : ",\n";
    json += "  \"" + std::string(field.key) + "\": " + field.json;
  }
  if (replayDiffers != nullptr) {
    std::string keys;
    for (const std::string& key : *replayDiffers)
      keys += (keys.empty() ? "\"" : ", \"") + key + "\"";
    json += ",\n  \"replay_differs\": [" + keys + "]";
  }
  return json + "\n}\n";
}
