#pragma once

// A page of the gallery: a control built for the page, rendered to PNG and SVG.

#include <framework/qvcontrols.h>

#include <functional>
#include <vector>

struct TGalleryPage {
    QString Name;        // file name stem
    QString Title;       // heading in index.html
    QString Description; // one paragraph in index.html
    // Builds the control to render, owned by Owner.
    std::function<TWinControl*(TComponent* Owner)> Build;
};

// Every page, in the gallery's order.
std::vector<TGalleryPage> GalleryPages();

void AddFrameworkPages(std::vector<TGalleryPage>& Pages);
void AddStylesPages(std::vector<TGalleryPage>& Pages);
void AddCaptionsPages(std::vector<TGalleryPage>& Pages);
void AddAxesPages(std::vector<TGalleryPage>& Pages);
void AddSeriesPages(std::vector<TGalleryPage>& Pages);
void AddAnalysisPages(std::vector<TGalleryPage>& Pages);
void AddZoomPages(std::vector<TGalleryPage>& Pages);
void AddLegendsPages(std::vector<TGalleryPage>& Pages);
void AddMarkersPages(std::vector<TGalleryPage>& Pages);
void AddBarsPages(std::vector<TGalleryPage>& Pages);
void AddPiePages(std::vector<TGalleryPage>& Pages);
void AddSmoothingPages(std::vector<TGalleryPage>& Pages);
void AddFitsPages(std::vector<TGalleryPage>& Pages);
void AddErrorBarsPages(std::vector<TGalleryPage>& Pages);
void AddFinancePages(std::vector<TGalleryPage>& Pages);
void AddControlsPages(std::vector<TGalleryPage>& Pages);
