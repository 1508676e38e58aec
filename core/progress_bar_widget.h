// The progress bar, drawn as the classic bar: a shallow sunken or thin border, then blocks or one
// smooth bar. Its value is clamped to 0..32767 and then into its range.
#pragma once

#include <QProgressBar>

#include "screen_definition.h"

namespace rt {

int clamp_progress(std::int64_t value, int minimum, int maximum);

class ProgressBarWidget final : public QProgressBar {
public:
    ProgressBarWidget(const ControlDefinition& record, QWidget* parent);
    void set_position(std::int64_t position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Border border_;
    bool smooth_;
};

}  // namespace rt
