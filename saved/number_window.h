// The add and edit windows share one layout: a number box, the courier
// drop-down, a note box and two buttons.
#pragma once

#include "form.h"

#include <QDialog>

#include <span>
#include <string>

namespace kesvane {

enum class NumberWindowKind { Add, Edit };

inline constexpr int kNumberWindowWidth = 277;
inline constexpr int kNumberWindowHeight = 166;

std::span<const ControlSpec> number_window_controls(NumberWindowKind kind);

// A new add or edit window, centred, modal, controls as laid out; the
// caller connects its buttons, runs and deletes it.
QDialog* create_number_window(NumberWindowKind kind);

// The note box holds line breaks as LF; the store keeps the CR LF of the
// edit box the program was written for.
std::string note_for_store(const QString& shown);
QString note_for_box(const std::string& stored);

} // namespace kesvane
