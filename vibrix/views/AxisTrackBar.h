#pragma once
// A track bar whose handle stands where its cursor line is drawn. Positions (sample indices,
// spectrum lines) lie on a chart axis at ascending keys; the bar runs over the positions the
// axis shows (zoom included), spans the axis from the first of them to the last and places its
// handle by the key, so that the handle's centre and the line share one pixel column even where
// the keys are not evenly spread (depths). The cursor keeps its position while the axis does not
// show it; the bar's keys still step one position (arrows) or ten (pages).

#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

class QCPAxis;
class QSlider;

// The positions first ... last whose keys lie in [lower, upper]; keyOf ascends. When none
// does, the one position nearest to the range, twice.
std::pair<int, int> ShownPositions(int first, int last, const std::function<double(int)>& keyOf, double lower,
                                   double upper);
// The position of first ... last whose key is nearest to `key`.
int NearestPosition(int first, int last, const std::function<double(int)>& keyOf, double key);

// Places `slider` in its parent along its orientation so that the handle's centre stands at
// pixel `from` (parent coordinates) at the minimum and at `to` at the maximum.
void PlaceSliderSpan(QSlider* slider, int from, int to);

class TAxisTrackBar : public QWidget {
    Q_OBJECT
public:
    // A horizontal bar under the chart of `axis`, the slider named `name`.
    TAxisTrackBar(const QString& name, QCPAxis* axis, QWidget* parent = nullptr);

    QSlider* Slider;

    // Positions first ... last at keyOf(position); the cursor goes to `first`, quietly. With
    // last < first there is none: the bar rests at `first` across the whole axis.
    void SetPositions(int first, int last, std::function<double(int)> keyOf);
    int Position() const { return position_; }
    // Moves the cursor (clamped to the positions); positionChanged when it moved.
    void SetPosition(int position);
    // The cursor to the position nearest to an axis key, as a drag on the chart puts it.
    void MoveToKey(double key);
    double KeyOf(int position) const { return keyOf_(position); }
    // The shown positions and the bar's place again, after the keys of the positions changed.
    void FollowAxis();

signals:
    void positionChanged(); // by the user's bar or by SetPosition

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void followRange(); // the positions the axis shows
    void place();       // the slider's ends at those positions' pixels
    void showPosition();

    QCPAxis* axis_;
    int first_ = 0, last_ = 0, position_ = 0;
    std::pair<int, int> shown_{0, 0};           // the positions the axis shows
    std::optional<std::pair<int, int>> placed_; // the pixels the slider's ends were placed at
    bool any_ = false;                          // there are positions on the axis
    std::function<double(int)> keyOf_;
    bool quiet_ = false; // the bar is being set from the cursor
};
