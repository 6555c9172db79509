#pragma once
// The prop plug-in bridge's state. Absent plug-in: Prop_GameDllState stays 0 or -1.
namespace props {

struct PropState {
  int Prop_GameDllState = 0;  // > 0 active, 0 not started, -1 switched off
  bool ScorePending = false;
  // The plug-in object has been created (it may still be switched off).
  bool HasObject = false;
};

}  // namespace props
