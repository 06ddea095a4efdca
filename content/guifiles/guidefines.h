// Element names and ids of the game's screens. One "#define NAME value" per line; the first
// definition of a name wins. Ids of our own start screens lie in 12000-12199.

// Main menu
#define ID_MAINMENU 10001
#define ID_MM_NEWCAREER 12001
#define ID_MM_LOADCAREER 12002
#define ID_MM_OPTIONS 12003
#define ID_MM_QUIT 12004
#define ID_MM_TITLE 12005
#define ID_MM_SUBTITLE 12006

// New career
#define ID_NEWCAREER 12010
#define ID_NC_DATASET 12011
#define ID_NC_CLUBS 12012
#define ID_NC_NAME 12013
#define ID_NC_START 12014
#define ID_NC_BACK 12015
#define ID_NC_INFO 12016
#define ID_NC_ERROR 12017
#define ID_NC_CLUBS_BAR 12018

// Saved careers
#define ID_PROFILES 12030
#define ID_PR_GRID 12031
#define ID_PR_LOAD 12032
#define ID_PR_DELETE 12033
#define ID_PR_BACK 12034
#define ID_PR_EMPTY 12035
#define ID_PR_GRID_BAR 12036

// Delete confirmation
#define ID_CONFIRMDELETE 12040
#define ID_CD_TEXT 12041
#define ID_CD_YES 12042
#define ID_CD_NO 12043

// Options
#define ID_OPTIONS 12050
#define ID_OP_MUSIC 12051
#define ID_OP_EFFECTS 12052
#define ID_OP_3D 12053
#define ID_OP_FAST 12054
#define ID_OP_LEAGUESIM 12055
#define ID_OP_COUNTRYSIM 12056
#define ID_OP_MUSICVOL 12057
#define ID_OP_EFFECTVOL 12058
#define ID_OP_SAVE 12059
#define ID_OP_BACK 12060
#define ID_OP_VIDEOCUBE 12061

// Message window
#define ID_MESSAGE 12070
#define ID_MSG_TEXT 12071
#define ID_MSG_OK 12072

// Career frame
#define ID_FRAME 10039
#define ID_FR_BUTTON 10044
#define ID_CONTINUE 10050
#define ID_NEXTDAY 10051
#define ID_FR_CLUB 12081
#define ID_FR_DATE 12082
#define ID_FR_CASH 12083
#define ID_FR_LEAGUE 12084
#define ID_FR_SAVE 12085
#define ID_FR_MENU 12086
#define ID_FR_STATUS 12087
#define ID_FR_SQUAD 12090
#define ID_FR_TACTICS 12091
#define ID_FR_STAFF 12092
#define ID_FR_TRAINING 12093
#define ID_FR_FINANCES 12094
#define ID_FR_SPONSORS 12095
#define ID_FR_TICKETS 12096
#define ID_FR_FUNSHOP 10376
#define ID_FR_TRANSFERS 12097
#define ID_FR_STADIUM 10378
#define ID_FR_STATISTICS 12098
#define ID_FR_INBOX 12099
#define ID_FR_OVERVIEW 12100

// Match-day side panel
#define ID_DAYPANEL 11048
#define ID_DAYPANEL_RESULTS 11050
#define ID_DAYPANEL_RESULTS_TITLE 11052
#define ID_DAYPANEL_LEADERS 11053
#define ID_DAYPANEL_EVENTS_TITLE 11055
#define ID_DAYPANEL_EVENTS 11056
#define ID_DAYPANEL_STATISTICS 11057

// End-of-season popup
#define ID_SEASONEND 11279
#define ID_SEASONEND_TEXT 11280
#define ID_SEASONEND_LEAVE 11281
#define ID_SEASONEND_NEXT 11282

// Squad-incomplete message
#define ID_SQUADMSG 11283
#define ID_SQUADMSG_TEXT 11284
#define ID_SQUADMSG_OK 11285

// Day buttons of the day panel and the statistics window (beside the frame's own two)
#define ID_NEXTDAY_PANEL 10394
#define ID_CONTINUE_PANEL 10395
#define ID_NEXTDAY_STATS 10782
#define ID_CONTINUE_STATS 10783
#define ID_NEWCAREER_SOURCE 11046

// Windows the career opens; a window without a layout block yet is simply not found
#define ID_CLUBOVERVIEW 10066
#define ID_LINEUP 10344
#define ID_SEASONFRAME 10369
#define ID_STATISTICS_FRAME 10759
#define ID_STATISTICS 10785
#define ID_MATCHCENTRE 11100
#define ID_MATCHHUD 11236
#define ID_RESULTS 11273
#define ID_RESULTS_STAGE 11277
#define ID_RESULTS_STAGE_TEXT 11278
#define ID_INBOX 10215
#define ID_TRAINING 10225
#define ID_STAFF 10312
#define ID_FINANCES 10397
#define ID_TICKETS 10413
#define ID_SPONSORS 10461
#define ID_FUNSHOP 10475
#define ID_TRANSFERS 10508
#define ID_STADIUM 10524

// Windows over a running match
#define ID_TACTICS 11074
#define ID_MATCH_POPUP 11222
#define ID_SUBSTITUTION 11305
#define ID_QUARTERBREAK 11312
#define ID_QUARTERBREAK_OK 11314
#define ID_COMMENTARY 11316
#define ID_TACTICS_SOURCE 11122

// Statistics: the standings window, the fixtures window and the match comparison (one screen
// object behind all three); each window's two tab buttons switch to the other two
#define ID_ST_TAB_FIXTURES 10786
#define ID_ST_STANDINGS 10787
#define ID_ST_TAB_COMPARE 10788
#define ID_ST_COMPETITION 10789
#define ID_ST_SQUAD 10791
#define ID_ST_TEAMINFO 10793
#define ID_ST_PLAYERS 10796
#define ID_FIXTURES 10797
#define ID_FX_GRID 10798
#define ID_FX_COMPETITION 10799
#define ID_FX_TAB_STANDINGS 10790
#define ID_FX_TAB_COMPARE 10792
#define ID_MATCHCOMPARE 10800
#define ID_MC_GRID 10802
#define ID_MC_COMPETITION 10803
#define ID_MC_HOME_PICTURE 10805
#define ID_MC_HOME_NAME 10806
#define ID_MC_HOME_GRID 10807
#define ID_MC_AWAY_PICTURE 10809
#define ID_MC_AWAY_NAME 10810
#define ID_MC_AWAY_GRID 10811
#define ID_MC_TAB_STANDINGS 10794
#define ID_MC_TAB_FIXTURES 10795
