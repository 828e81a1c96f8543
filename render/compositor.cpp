#include "render/compositor.h"

#include "base/stretch.h"

namespace quorel {

Surface ComposeScene(const SceneParts& parts, const ComposeInputs& inputs) {
  Surface scene(kSceneWidth, kSceneHeight, kBlack);
  if (parts.background) parts.background->Draw(scene);

  SceneCharacter* character = inputs.debug_hide_character ? nullptr : parts.character;
  const int number = character ? character->CharacterNumber() : -1;
  const ClockTime& t = inputs.moment;
  if (character && number == 0) {  // the user's own picture lies under the face
    character->SetMoment(t.month, t.day, t.hour, t.minute);
    character->Draw(scene);
  }
  if (!inputs.debug_hide_time && parts.clock) parts.clock->DrawFace(scene);
  if (character && number >= 1 && number <= 12) {
    character->SetMoment(t.month, t.day, t.hour, t.minute);
    character->Draw(scene);
  }
  if (parts.informations) parts.informations->DrawIcons(scene);
  if (parts.clock) parts.clock->DrawSecondTime(scene);

  DrawBorder(scene, inputs.border_kind, inputs.border_top_left, inputs.border_bottom_right, inputs.edge_colors);
  return scene;
}

void DrawBorder(Surface& scene, int kind, Color top_left, Color bottom_right, const EdgeColors& edge_colors) {
  const Rect r = scene.Bounds();
  const int w = scene.Width(), h = scene.Height();
  switch (kind) {
    case kBorderBump: DrawEdge(scene, r, EdgeKind::kBump, edge_colors); break;
    case kBorderEtched: DrawEdge(scene, r, EdgeKind::kEtched, edge_colors); break;
    case kBorderRaised: DrawEdge(scene, r, EdgeKind::kRaised, edge_colors); break;
    case kBorderSunken: DrawEdge(scene, r, EdgeKind::kSunken, edge_colors); break;
    case kBorderLines: {
      // Up the left side and along the top, then down the right and back along the bottom.
      Point p = LineTo(scene, Point{0, h - 1}, Point{0, 0}, top_left);
      p = LineTo(scene, p, Point{w - 1, 0}, top_left);
      p = LineTo(scene, p, Point{w - 1, h - 1}, bottom_right);
      LineTo(scene, p, Point{0, h - 1}, bottom_right);
      break;
    }
    default:
      break;
  }
}

Surface EnlargeScene(const Surface& scene, int magnify, bool high_quality) {
  const int w = scene.Width(), h = scene.Height();
  int k = 0;
  switch (magnify) {
    case 1: k = 6; break;
    case 2: k = 3; break;
    case 3: k = 9; break;
    case 4: return StretchNearest(scene, 2 * w, 2 * h);
    default: return scene;
  }
  if (high_quality) return EnlargeHighQuality(scene);  // always 1.5 times
  // Window sizes: 6/5, 3/2 and 9/5, multiplication before division.
  const int num = k == 3 ? 3 : k, den = k == 3 ? 2 : 5;
  return StretchTwoStep(scene, k, w * num / den, h * num / den);
}

Surface Compose(const SceneParts& parts, const ComposeInputs& inputs) {
  return EnlargeScene(ComposeScene(parts, inputs), inputs.magnify, inputs.high_quality);
}

}  // namespace quorel
