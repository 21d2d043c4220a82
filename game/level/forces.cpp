#include "game/level/forces.h"

#include <string>
#include <vector>

#include "common/text.h"
#include "game/console/console.h"

namespace forces {
namespace {

std::list<Force> forceList_;
bool drawForces_ = false;

// ---- Console entries -------------------------------------------------------------------

int32_t forceCountCommand() {
  return static_cast<int32_t>(forceList_.size());
}

bool forceDrawVariable(bool value, bool set) {
  return console::variableValue(drawForces_, value, set);
}

// The wording, misspelling included, is what level authors know from the console.
void printCreateUsage() {
  console::print("\nUSAGE: MoveForceCreate ");
  console::print(" < id : integer >");
  console::print(" < x : number >");
  console::print(" < y : number >");
  console::print(" < dir_x : number >");
  console::print(" < dir_y : number >");
  console::print(" < strenght : number >");
}

// "ForceCreate id x y dir_x dir_y strength"; the strength is taken as given.
void forceCreateCommand(const std::string& arguments) {
  const std::vector<std::string> words = splitWords(arguments);
  bool valid = words.size() == 6 && isInteger(words[0]);
  for (size_t i = 1; valid && i < words.size(); ++i) valid = isNumber(words[i]);
  if (!valid) {
    printCreateUsage();
    return;
  }
  addForce(static_cast<uint32_t>(toInteger(words[0])), toNumber(words[1]), toNumber(words[2]),
           toNumber(words[3]), toNumber(words[4]), toNumber(words[5]));
}

// Registered by initialise and removed by shutdown, both from this table.
const console::NamedCommand kEntries[] = {
    {"ForceCount", forceCountCommand},
    {"ForceCreate", forceCreateCommand, console::InReplay::kPlayed},
    {"ForceDraw", forceDrawVariable},
};

}  // namespace

void initialise() {
  shutdown();
  drawForces_ = false;
  console::print("\nInitialising force manager.");
  console::addCommands(kEntries);
}

void shutdown() {
  console::print("\nShutting down force manager.");
  forceList_.clear();
  console::removeCommands(kEntries);
}

void addForce(uint32_t id, float x, float y, float dirX, float dirY, float strength) {
  Force& force = forceList_.emplace_back();
  force.id = id;
  force.position = {x, y};
  force.direction = normalised({dirX, dirY});
  force.strength = strength;
}

std::list<Force>& forceList() {
  return forceList_;
}

bool drawForcesFlag() {
  return drawForces_;
}

}  // namespace forces
