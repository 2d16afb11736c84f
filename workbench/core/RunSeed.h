// The seed of the operon engine's random starting motifs for one prediction
// run. A run is reproducible by default: without a seed of the user's own,
// every run uses the same fixed seed. The engines read the seed from the
// MERIDAN_SEED environment variable when their run starts; a value the user
// set there before starting the workbench is still honoured.
#pragma once

#include <QString>

#include <optional>

namespace meridan::runseed {

// The seed of every run for which nobody chose one.
constexpr quint32 defaultSeed = 1;

// The seed chosen in the prediction options, if any (kept in the settings).
std::optional<quint32> chosenSeed();
void setChosenSeed(std::optional<quint32> seed);

// The seed of the next run: the chosen one, else MERIDAN_SEED when it holds a
// decimal integer and was not written by this program, else defaultSeed.
quint32 seedForNextRun();

// Puts seedForNextRun() where the engines read it and returns it. Call only
// while no engine runs.
quint32 applySeedForNextRun();

// "seed 1 (fixed default)", "seed 7 (chosen in the options)" or
// "seed 7 (from MERIDAN_SEED)", for the log and the status bar.
QString describeSeed(quint32 seed);

} // namespace meridan::runseed
