#pragma once
// Ice groups: every free particle that freezes is taken out of the free list together with
// all particles connected to it within 12 units and put into a group, which moves and
// collides as one disc. Touching groups merge; a group that warms above freezing melts back
// into free water.

#include <cstdint>

#include "game/water/particle_group.h"

namespace grouped_particle_mover {

void initialise();
void shutdown();

// Moves every freezing particle of `freeList`, and everything connected to it, into groups.
void freezePass(ParticleList& freeList);
// Moves, heats, melts and merges the groups; melted particles go to the front of `freeList`.
void groupStep(float dt, ParticleList& freeList);
// Starts the group's kill timer unless it is running already.
void markGroupForKill(ParticleGroup& group);
// Deletes every group with its particles.
void deleteAllGroups();

ParticleGroupList& groupList();
// All the water there is: free particles plus the particles of every ice group.
uint32_t totalWater();
// The "ParticleGroupDraw" debug flag.
bool drawGroupsFlag();

}  // namespace grouped_particle_mover
