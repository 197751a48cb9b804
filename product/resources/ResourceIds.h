// Ids of the plug-in's resources and of the controls in its dialog templates, shared by
// the code and the resource script. Plain #defines only: the resource compiler reads
// this file too.
#ifndef VARNEL_RESOURCE_IDS_H
#define VARNEL_RESOURCE_IDS_H

// Dialog templates.
#define IDD_VARNEL_DIALOG 1003
#define IDD_IMAGE_PAGE 1000
#define IDD_SETTINGS_PAGE 30273
#define IDD_OPTIONS_PAGE 1004
#define IDD_VARIATION_PAGE 1006
#define IDD_GUIDES_PAGE 1059
// The child template appended to the system's open dialog for object pictures.
#define IDD_IMAGE_FILE_DIALOG 30272

// Pictures. The skin is of resource type "IMAGE" (PNG); the rest are bitmaps.
#define IDR_SKIN_BACKGROUND 3016
#define IDR_SKIN_OVERLAY 3017
// The same drawn at twice the size, for larger display scales.
#define IDR_SKIN_BACKGROUND_2X 3018
#define IDR_SKIN_OVERLAY_2X 3019
#define IDB_ZOOM_IN 1003
#define IDB_ZOOM_OUT 1004
#define IDB_LOCATOR 1005
#define IDB_OPACITY_EMPTY 3010
#define IDB_DENSITY_STRIP 3012
#define IDB_TEXTURE_STRIP 3013
#define IDB_OPACITY_FULL 8020

// Tool-tip strings of the zoom controls. Other controls may carry a string under their
// own id whose text after the first newline is their tip.
#define IDS_TIP_LOCATOR 150
#define IDS_TIP_ZOOM_IN 151
#define IDS_TIP_ZOOM_OUT 152
#define IDS_TIP_ZOOM_RATIO 153

// Main dialog (OK and Cancel are the system's IDOK and IDCANCEL, 1 and 2).
#define IDC_HELP_BUTTON 7000
#define IDC_RESULT_PREVIEW 7001
#define IDC_BEFORE_PREVIEW 7002
#define IDC_ZOOM_OUT 7004
#define IDC_ZOOM_IN 7010
#define IDC_LOCATOR 7012
#define IDC_ZOOM_RATIO 7027
#define IDC_PAGE_PLACE 1008
#define IDC_TABS 11005

// Image page.
#define IDC_CATEGORY_LIST 1000
#define IDC_THUMBNAIL_PLACE 1001
#define IDC_FILE_LABEL 1002
#define IDC_FILE_NAME 1003
#define IDC_BROWSE 1004
#define IDC_CUSTOM_PREVIEW 1005
#define IDC_MULTIPLE_IMAGES 1025
#define IDC_THUMBNAIL_LIST 10

// Settings page.
#define IDC_DENSITY 1007
#define IDC_ROTATE_IMAGES 1008
#define IDC_ROTATION_ANGLE 1009
#define IDC_RANDOMISE_ROTATION 1010
#define IDC_RANDOM_ROTATION 1011
#define IDC_SCALE_IMAGES 1012
#define IDC_SCALE 1013
#define IDC_RANDOMISE_SCALING 1014
#define IDC_RANDOM_SCALE 1015
#define IDC_FADE_WITH_DEPTH 1016
#define IDC_ORDER_BY_DEPTH 1017
#define IDC_OPACITY 1021
#define IDC_OPACITY_EMPTY 1022
#define IDC_OPACITY_FULL 1023
#define IDC_DESATURATE_WITH_DEPTH 1026
#define IDC_ROTATION_PANEL 1027
#define IDC_SCALE_PANEL 1028
#define IDC_DENSITY_LABEL 1029
#define IDC_OPACITY_LABEL 1030

// Options page.
#define IDC_APPLY_AS_TEXTURE 1018
#define IDC_TEXTURE_AMOUNT 1019
#define IDC_WHOLE_OBJECTS 1020
#define IDC_NO_OVERLAP 1024
// The Variation page; the six blend modes' radio buttons are consecutive, in BlendMode order.
#define IDC_HUE_LABEL 1040
#define IDC_HUE_JITTER 1041
#define IDC_BRIGHTNESS_LABEL 1042
#define IDC_BRIGHTNESS_JITTER 1043
#define IDC_OPACITY_JITTER_LABEL 1044
#define IDC_OPACITY_JITTER 1045
#define IDC_FLIP_HORIZONTAL 1046
#define IDC_FLIP_VERTICAL 1047
#define IDC_BLEND_GROUP 1048
#define IDC_BLEND_NORMAL 1049
#define IDC_BLEND_MULTIPLY 1050
#define IDC_BLEND_SCREEN 1051
#define IDC_BLEND_OVERLAY 1052
#define IDC_BLEND_DARKEN 1053
#define IDC_BLEND_LIGHTEN 1054
// The Guides page; each map's four radio buttons are consecutive, in MapSource order.
#define IDC_DENSITY_MAP_GROUP 1060
#define IDC_DENSITY_MAP_NONE 1061
#define IDC_DENSITY_MAP_LUMINANCE 1062
#define IDC_DENSITY_MAP_INVERSE 1063
#define IDC_DENSITY_MAP_FILE 1064
#define IDC_STRENGTH_LABEL 1065
#define IDC_DENSITY_STRENGTH 1066
#define IDC_KEEP_COUNT 1067
#define IDC_SIZE_MAP_GROUP 1068
#define IDC_SIZE_MAP_NONE 1069
#define IDC_SIZE_MAP_LUMINANCE 1070
#define IDC_SIZE_MAP_INVERSE 1071
#define IDC_SIZE_MAP_FILE 1072
#define IDC_SIZE_MIN_LABEL 1073
#define IDC_SIZE_MIN 1074
#define IDC_SIZE_MAX_LABEL 1075
#define IDC_SIZE_MAX 1076
#define IDC_SPACING_RANDOM 1077
#define IDC_SPACING_EVEN 1078
#define IDC_FOLLOW_EDGES 1079
#define IDC_MAP_FILE_LABEL 1080
#define IDC_MAP_FILE 1081
#define IDC_MAP_NOTICE 1082
#define IDC_MAP_BROWSE 1083
#define IDC_SEED 3002
#define IDC_RANDOMISE_SEED 3003
#define IDC_SEED_LABEL 3057

// Image file dialog: the system places its own controls over the area of stc32 (1119).
#define IDC_SYSTEM_AREA 1119
#define IDC_FILE_PREVIEW 30001

#endif
