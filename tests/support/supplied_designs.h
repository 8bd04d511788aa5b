#pragma once

// A design of the supplied catalogues (Data/) at the price limit, « Sans verdict »: a big solar
// panel, a fast motor, 50 mm wheels. The tests of « Que changer ? » start from it.
inline constexpr const char* kAtThePriceLimit = R"({"format": "ventakar-conception", "version": 1,
 "pupil": {"name": "Léa", "class": "5e B"},
 "choices": {"propeller": {"text": "Hélice tripale 150, pales courbes", "index": 3},
  "motor": {"text": "Moteur RF-500, haute vitesse", "index": 2},
  "cradle": {"text": "Berceau 32 mm, renforcé", "index": 2},
  "power": {"text": "Panneau solaire 6 V, grand format", "index": 3},
  "switch": {"text": "Interrupteur à levier", "index": 0},
  "frontWheel": {"text": "Roue 50 mm", "index": 3}, "rearWheel": {"text": "Roue 50 mm", "index": 3},
  "frontWheelPosition": "above", "rearWheelPosition": "above", "propellerPosition": "front",
  "frontMounting": {"text": "Support en U", "index": 0},
  "rearMounting": {"text": "Support en U", "index": 0},
  "chassisMaterial": {"text": "Balsa 3 mm", "index": 0},
  "wheelSupportMaterial": {"text": "Balsa 3 mm", "index": 0}, "clearance": 5}})";
