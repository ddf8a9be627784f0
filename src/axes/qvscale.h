#pragma once

// What depends on the scaling of an axis, one small class per scaling: how a value maps to
// pixels and back, the steps of the ticks and how an end rounds to them, the ends a range may
// have, the search for a partition, and the ticks and their labels. The scales hold no state
// of an axis: the axis keeps it and answers their questions about label texts.

#include "axes/qvaxistypes.h"
#include "axes/qvticks.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// What an axis keeps for its scale from one pass to the next: the partition of its ticks and,
// on a logarithmic mapping, the decades of its range.
struct TQvScaleState {
    QvTicks::TParts Parts;
    QvTicks::TQvSecParameters Sec;
    QvTicks::TQvDtParameters Dt;
    double LogStart = 0;
    double LogStop = 1;
};

// What the requested ends of a range depend on besides the scaling.
struct TQvEndRules {
    // The ends that follow the data.
    bool StartAuto = true;
    bool StopAuto = true;
    // The start of the data's extent; the largest double without data.
    double ValuesStart = 0;
    // The smallest value above 0 and below Below among the data; 0 when there is none.
    std::function<double(double Below)> SmallestPositive;
};

// What a scale asks of its axis about labels.
class TQvScaleLabels {
public:
    // The length the labels are fitted into, and the factor on the room between them.
    virtual float AxisPixels() const = 0;
    virtual float GetLabelDistanceFactor() const = 0;
    // The width of a label along the axis, estimated from its text.
    virtual float ApproxLen(double Value, const QString& Text) const = 0;
    // Number labels: the larger end's exponent, and the digits for labels stepping by Parts.
    virtual void FitExponent(double Start, double Stop) = 0;
    // The digits the labels need when they step by Parts.
    virtual void FitDigits(double Start, double Stop, const QvTicks::TParts& Parts) = 0;
    // The text of a number label.
    virtual QString NormalCaption(double Value) const = 0;
    // The date-time format string for labels of Format.
    virtual QString DateTimeFormat(QvTicks::TDtLabelFormat Format) const = 0;
    // None beyond the list.
    virtual std::optional<QString> Rubric(long Index) const = 0;

protected:
    ~TQvScaleLabels() = default;
};

// The label of a tick. A banded label names the band from its tick to the next label step and
// stands in its middle.
struct TQvTickLabel {
    QString Text;
    bool Banded = false;
};

// The base of the scalings: mapping, tick steps, range ends, partition, ticks and labels.
class TQvScale {
public:
    virtual ~TQvScale() = default;
    // A logarithmic scaling maps linearly over too few decades (LogMapped false).
    static const TQvScale& Of(TQvAxisScaling Scaling, bool LogMapped);

    // ---- Mapping, linear unless a scale says otherwise ----
    // Pixels from the start of the range to Value, and back.
    virtual double Offset(double Value, const TQvAxisMapping& Mapping) const;
    // The value Offset pixels from the start of the range.
    virtual double ValueAt(double Offset, const TQvAxisMapping& Mapping) const;
    // Offset and ValueAt are the linear ones: callers may compute them without a virtual call
    // per value.
    virtual bool LinearOffset() const { return true; }
    // The linear offset of Value in pixels from the start of the range, and back.
    static double LinearOffsetOf(double Value, const TQvAxisMapping& Mapping) {
        return (Value - Mapping.Start) / Mapping.NormalizeConst;
    }
    static double LinearValueAt(double Offset, const TQvAxisMapping& Mapping) {
        return Offset * Mapping.NormalizeConst + Mapping.Start;
    }
    // The range in mapped units (data units, or decades): the axis divides it by its pixels.
    virtual double MappedSpan(double Start, double Stop, const TQvScaleState& State) const;
    // An end the mapping can place.
    virtual bool Maps(double Value) const;
    // Scroll positions count in these units, and back.
    virtual double ScrollUnits(double Value) const;
    // The value at a number of scroll units.
    virtual double FromScrollUnits(double Units) const;
    // A value set by the user, moved where this scaling can hold it.
    virtual double ClampValue(double Value) const;

    // ---- Steps ----
    virtual double MajorIncrement(const TQvScaleState& State) const = 0;
    // Distance between minor ticks in data units.
    virtual double MinorIncrement(const TQvScaleState& State) const = 0;
    // Value rounded to the major (minor) partition, up or down.
    virtual double RoundEnd(double Value, bool Up, bool Major,
                            const TQvScaleState& State) const = 0;

    // ---- Range, in the order a pass finds it ----
    // The requested ends made usable: finite, ordered, apart and where the scaling has values.
    virtual void ClampEnds(double& Start, double& Stop, const TQvEndRules& Rules) const = 0;
    // Whether the usable range is mapped logarithmically; level 0 always maps so.
    virtual bool MapsLogarithmically(double Start, double Stop, double LogToNormalLevel,
                                     TQvScaleState& State) const;
    // Paddings are shares of a linear span.
    virtual bool Pads() const;
    // The user may set the parts.
    virtual bool HasUserParts() const;
    // Searches the label, major and minor steps that fit the range into the axis' pixels.
    virtual void ChoosePartition(double Start, double Stop, TQvScaleState& State,
                                 TQvScaleLabels& Labels) const = 0;
    // No partition is searched (user parts, or while panning).
    virtual void KeepPartition(double Start, double Stop, TQvScaleState& State) const;
    // The range is rounded: what the labels and the mapping derive from it.
    virtual void SettleEnds(double& Start, double& Stop, TQvScaleState& State,
                            TQvScaleLabels& Labels) const = 0;
    // Ends taken as they are, as a slave's from its master.
    virtual void MapEnds(double Start, double Stop, TQvScaleState& State) const;
    // User parts count in the magnitude of the range shown.
    virtual void ScaleUserParts(double Start, double Stop, TQvScaleState& State) const;

    // ---- Ticks ----
    // EndsRounded: the ends lie on the partition already.
    virtual std::vector<QvTicks::TTick> Ticks(double Start, double Stop, const TQvScaleState& State,
                                              bool EndsRounded) const = 0;
    // None for a tick that has no label here.
    virtual std::optional<TQvTickLabel> Label(double Value, double Stop, const TQvScaleState& State,
                                              const TQvScaleLabels& Labels) const = 0;

protected:
    static double PartOf(const QvTicks::TParts& Parts, bool Major);
    // The range exponent follows the span.
    static void FollowSpan(double Start, double Stop, QvTicks::TParts& Parts);
};

// Decimal parts and number labels on a linear mapping.
class TQvLinearScale : public TQvScale {
public:
    double MajorIncrement(const TQvScaleState& State) const override;
    double MinorIncrement(const TQvScaleState& State) const override;
    double RoundEnd(double Value, bool Up, bool Major, const TQvScaleState& State) const override;
    void ClampEnds(double& Start, double& Stop, const TQvEndRules& Rules) const override;
    bool HasUserParts() const override;
    void ChoosePartition(double Start, double Stop, TQvScaleState& State,
                         TQvScaleLabels& Labels) const override;
    void SettleEnds(double& Start, double& Stop, TQvScaleState& State,
                    TQvScaleLabels& Labels) const override;
    std::vector<QvTicks::TTick> Ticks(double Start, double Stop, const TQvScaleState& State,
                                      bool EndsRounded) const override;
    std::optional<TQvTickLabel> Label(double Value, double Stop, const TQvScaleState& State,
                                      const TQvScaleLabels& Labels) const override;

private:
    // Digits for the parts, which are kept ordered.
    static void FitNumbers(double Start, double Stop, TQvScaleState& State, TQvScaleLabels& Labels);
};

// Normal: its parts follow the magnitude of the range also without a search.
class TQvNormalScale : public TQvLinearScale {
public:
    void KeepPartition(double Start, double Stop, TQvScaleState& State) const override;
};

// The ends of Log and LogEE, however their range maps: the start moves above 0, and a range
// of few decades maps linearly.
template <class TBase> class TQvLogEnds : public TBase {
public:
    // Ordered ends with the start above 0, from the smallest positive value when it is not.
    void ClampEnds(double& Start, double& Stop, const TQvEndRules& Rules) const override;
    // Logarithmic unless the range spans at most LogToNormalLevel decades; always at level 0.
    bool MapsLogarithmically(double Start, double Stop, double LogToNormalLevel,
                             TQvScaleState& State) const override;
};

// Log and LogEE over too few decades: mapped linearly, the ends still logarithmic ones.
using TQvLinearLogScale = TQvLogEnds<TQvLinearScale>;

// One text per integer position, labelled in the band up to the next one.
class TQvRubricsScale : public TQvLinearScale {
public:
    void ClampEnds(double& Start, double& Stop, const TQvEndRules& Rules) const override;
    bool HasUserParts() const override;
    void ChoosePartition(double Start, double Stop, TQvScaleState& State,
                         TQvScaleLabels& Labels) const override;
    std::optional<TQvTickLabel> Label(double Value, double Stop, const TQvScaleState& State,
                                      const TQvScaleLabels& Labels) const override;
};

// Time spans in seconds on a linear mapping, divided in the units of a region.
class TQvSecondsScale : public TQvScale {
public:
    double MajorIncrement(const TQvScaleState& State) const override;
    double MinorIncrement(const TQvScaleState& State) const override;
    double RoundEnd(double Value, bool Up, bool Major, const TQvScaleState& State) const override;
    void ClampEnds(double& Start, double& Stop, const TQvEndRules& Rules) const override;
    void ChoosePartition(double Start, double Stop, TQvScaleState& State,
                         TQvScaleLabels& Labels) const override;
    void SettleEnds(double& Start, double& Stop, TQvScaleState& State,
                    TQvScaleLabels& Labels) const override;
    std::vector<QvTicks::TTick> Ticks(double Start, double Stop, const TQvScaleState& State,
                                      bool EndsRounded) const override;
    std::optional<TQvTickLabel> Label(double Value, double Stop, const TQvScaleState& State,
                                      const TQvScaleLabels& Labels) const override;

private:
    static double Unit(const TQvScaleState& State);
};

// Decades; LogEE labels them as 10 with a raised exponent.
class TQvLogScale : public TQvLogEnds<TQvScale> {
public:
    explicit TQvLogScale(bool RaisedExponents) : FRaisedExponents(RaisedExponents) {}
    double Offset(double Value, const TQvAxisMapping& Mapping) const override;
    bool LinearOffset() const override { return false; }
    double ValueAt(double Offset, const TQvAxisMapping& Mapping) const override;
    double MappedSpan(double Start, double Stop, const TQvScaleState& State) const override;
    bool Maps(double Value) const override;
    double ScrollUnits(double Value) const override;
    double FromScrollUnits(double Units) const override;
    double MajorIncrement(const TQvScaleState& State) const override;
    double MinorIncrement(const TQvScaleState& State) const override;
    double RoundEnd(double Value, bool Up, bool Major, const TQvScaleState& State) const override;
    bool Pads() const override;
    bool HasUserParts() const override;
    void ChoosePartition(double Start, double Stop, TQvScaleState& State,
                         TQvScaleLabels& Labels) const override;
    void KeepPartition(double Start, double Stop, TQvScaleState& State) const override;
    void SettleEnds(double& Start, double& Stop, TQvScaleState& State,
                    TQvScaleLabels& Labels) const override;
    void MapEnds(double Start, double Stop, TQvScaleState& State) const override;
    void ScaleUserParts(double Start, double Stop, TQvScaleState& State) const override;
    std::vector<QvTicks::TTick> Ticks(double Start, double Stop, const TQvScaleState& State,
                                      bool EndsRounded) const override;
    std::optional<TQvTickLabel> Label(double Value, double Stop, const TQvScaleState& State,
                                      const TQvScaleLabels& Labels) const override;

private:
    // Raise: the mark that raises the exponent in a label, none for a width estimate.
    QString DecadeText(double Value, const QString& Raise) const;

    bool FRaisedExponents;
};

// Calendar dates and times in days, divided in calendar units.
class TQvDateTimeScale : public TQvScale {
public:
    double Offset(double Value, const TQvAxisMapping& Mapping) const override;
    bool LinearOffset() const override { return false; }
    double MappedSpan(double Start, double Stop, const TQvScaleState& State) const override;
    double ClampValue(double Value) const override;
    double MajorIncrement(const TQvScaleState& State) const override;
    double MinorIncrement(const TQvScaleState& State) const override;
    double RoundEnd(double Value, bool Up, bool Major, const TQvScaleState& State) const override;
    void ClampEnds(double& Start, double& Stop, const TQvEndRules& Rules) const override;
    void ChoosePartition(double Start, double Stop, TQvScaleState& State,
                         TQvScaleLabels& Labels) const override;
    void SettleEnds(double& Start, double& Stop, TQvScaleState& State,
                    TQvScaleLabels& Labels) const override;
    std::vector<QvTicks::TTick> Ticks(double Start, double Stop, const TQvScaleState& State,
                                      bool EndsRounded) const override;
    std::optional<TQvTickLabel> Label(double Value, double Stop, const TQvScaleState& State,
                                      const TQvScaleLabels& Labels) const override;
};
