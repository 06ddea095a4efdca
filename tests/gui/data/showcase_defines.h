// Element ids of the toolkit showcase layout.
#define ID_SHOWCASE 13000
#define ID_SC_CONTROLS 13001
#define ID_SC_CONTINUE 13002
#define ID_SC_DISABLED 13003
#define ID_SC_BUILT 13004
#define ID_SC_NEXTDAY 13005
#define ID_SC_MUSIC 13006
#define ID_SC_FAST 13007
#define ID_SC_NAME 13008
#define ID_SC_LEAGUE 13009
#define ID_SC_PROGRESS 13010
#define ID_SC_BADGE 13011
#define ID_SC_SQUAD 13012
#define ID_SC_SQUAD_BAR 13013
#define ID_SC_EVENTS 13014
#define ID_SC_NEWS 13015
#define ID_SC_FORMATS 13016
#define ID_SC_OPEN 13017
#define ID_SC_QUIT 13018
#define ID_SC_POPUP 13019
#define ID_SC_POPUP_TEXT 13020
#define ID_SC_POPUP_OK 13021
#define ID_SC_FORMAT0 13022
#define ID_SC_FORMAT1 13023
#define ID_SC_FORMAT4 13024
#define ID_SC_FORMAT5 13025
#define ID_SC_FORMAT6 13026
#define ID_SC_HALF 13027
#define ID_SC_CAPTION 13028

// A later definition of a name does not replace the first.
#define ID_SC_CONTINUE 99999
#define SHOWCASE_VERSION_TEXT "1.0"
