// The "Image" page: a category of the preset library and one of its thumbnails, or the
// user's own file or folder ("<Custom>" with "Multiple Images"). It writes the path, the
// folder flag and the category into the live block and asks for a full preview. It opens
// through the same rules as the headless stand-in, so one block gives one picture.
#pragma once

#include <windows.h>

#include "OrvLib/controls/win32/OrvCustomButton.h"
#include "OrvLib/controls/win32/OrvCustomStatic.h"
#include "OrvLib/controls/win32/OrvGridControl.h"
#include "product/dialog/ImagePage.h"
#include "product/dialog/win32/OrvPSFileEdit.h"
#include "product/dialog/win32/OrvPSFileImagePreviewControl.h"
#include "product/dialog/win32/PSImageListBox.h"
#include "product/dialog/win32/PSVarnPage.h"

class PSVarnImageChild : public PSVarnPage {
public:
    explicit PSVarnImageChild(PSVarnPageOwner& owner);

    // The thumbnail list and the category list, for tests and the dialog's tool tips.
    PSVarnImageListBox& Thumbnails() { return thumbnails; }
    OrvGridControl& Categories() { return categories; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    bool CustomRowSelected() const;
    void SelectCategoryRow(int category);
    void ShowCustom(const std::string& path, bool multiple);
    void UpdateVisibility();
    void ApplyThumbnail();

    void OnCategory();
    void OnNameCommitted();
    void OnBrowse();
    void OnMultipleImages();
    void OnThumbnail();

    ColourScheme listScheme;
    PSVarnImageListBox thumbnails;
    OrvGridControl categories;
    OrvCustomButton browse, multipleImages;
    OrvCustomStatic fileLabel;
    OrvPSFileImagePreviewControl customPreview;
    OrvPSFileEdit fileName;

    DECLARE_MESSAGE_MAP()
};
