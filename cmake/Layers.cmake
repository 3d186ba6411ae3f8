# The folders of Sources/VeltraneBrowser, one part of the system each, by library. Within
# and across the lists a folder may include only itself and the folders before it.
set(CORE_FOLDERS Base Wire Sites Service Rules Store)   # no widgets, no web engine
set(WEB_FOLDERS Browser Page Scan Posts Agent)           # web engine and the models over it
set(GUI_FOLDERS Theme Dashboard Settings Panel Shell)    # widgets
