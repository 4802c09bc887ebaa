#include "units.hpp"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace sledway::automation_host {

namespace {

constexpr Unit kUnits[] = {
    {L"mm", L"length", 0.1},
    {L"cm", L"length", 1.0},
    {L"m", L"length", 100.0},
    {L"in", L"length", 2.54},
    {L"deg", L"angle", std::numbers::pi / 180.0},
    {L"rad", L"angle", 1.0},
    {L"ul", L"unitless", 1.0},
};

}  // namespace

const Unit* FindUnit(const std::wstring& label) {
  for (const Unit& unit : kUnits) {
    if (label == unit.label) return &unit;
  }
  return nullptr;
}

std::wstring FormatInUnit(double value, const Unit& unit) {
  double shown = value / unit.toDatabase;
  if (std::abs(shown) < 5e-7) shown = 0.0;
  wchar_t text[64];
  std::swprintf(text, 64, L"%.6f", shown);
  std::wstring written = text;
  if (written.find(L'.') != std::wstring::npos) {
    written.erase(written.find_last_not_of(L'0') + 1);
    if (written.back() == L'.') written.pop_back();
  }
  return written + L" " + unit.label;
}

}  // namespace sledway::automation_host
