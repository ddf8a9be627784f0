#include "gallerycharts.h"

#include <QPainter>

void TWhitePanel::Paint(QPainter& Canvas) {
    Canvas.fillRect(GetClientRect(), Qt::white);
}

TQvGraph2D* NewGraph(TComponent* Owner, TWinControl* Parent, const QString& Name,
                     const QString& Title, int Left, int Top, int Width, int Height) {
    auto* Graph = new TQvGraph2D(Owner);
    Graph->SetName(Name);
    Graph->SetParent(Parent);
    Graph->SetBounds(Left, Top, Width, Height);
    Graph->SetBackColor(0xFFFFFFFF);
    Graph->SetDataAreaColor(0xFFF4F7FB);
    Graph->GetCaptionFont()->SetName(QStringLiteral("Arial"));
    Graph->GetCaptionFont()->SetSizeF(11);
    Graph->GetCaptionFont()->SetStyle(TFontStyle::Bold);
    Graph->SetCaption(Title);
    Graph->SetCaptionVisible(true);
    Graph->SetCaptionDistanceBefore(4);
    Graph->SetCaptionDistanceAfter(4);
    for (TQvLineSettings* Grid : {Graph->GetMajorGridVertical(), Graph->GetMajorGridHorizontal()}) {
        Grid->SetColor(0xFFC9D3E0);
        Grid->SetVisible(true);
    }
    Graph->GetDataAreaFrame()->SetColor(0xFF8090A0);
    Graph->GetDataAreaFrame()->SetVisible(true);
    Graph->SetDistanceBorderAxisLeft(6);
    Graph->SetDistanceBorderAxisRight(6);
    Graph->SetDistanceBorderAxisTop(4);
    Graph->SetDistanceBorderAxisBottom(4);
    return Graph;
}

TQvAxis* NewAxis(TComponent* Owner, TQvGraph2D* Graph, TQvAxisPosition Position,
                 TQvAxisScaling Scaling, double Start, double Stop, const QString& Caption) {
    auto* Axis = new TQvAxis(Owner);
    Axis->SetPosition(Position);
    Axis->SetScaling(Scaling);
    if (Start != Stop) {
        Axis->SetStartEnd(TQvAxisEnd::Fixed);
        Axis->SetStopEnd(TQvAxisEnd::Fixed);
        Axis->SetStart(Start);
        Axis->SetStop(Stop);
    }
    Axis->SetCaption(Caption);
    Axis->GetCaptionFont()->SetSizeF(10);
    Axis->GetNumbersFont()->SetSizeF(8);
    Axis->GetNumbersFont()->SetStyle({});
    Axis->SetParent(Graph);
    if (!Graph->GetPrimaryXAxis() && Axis->GetHorizontal()) Graph->SetPrimaryXAxis(Axis);
    if (!Graph->GetPrimaryYAxis() && !Axis->GetHorizontal()) Graph->SetPrimaryYAxis(Axis);
    return Axis;
}
