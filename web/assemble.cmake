# One page from its parts: the styles and the scripts (the engine's first)
# take the places the page marks for them.
file(READ ${PAGE_DIR}/page.html page)
file(READ ${PAGE_DIR}/page.css styles)
file(READ ${PAGE_DIR}/page.js script)
file(READ ${ENGINE} engine)
string(REPLACE "<!-- styles -->" "<style>\n${styles}</style>" page "${page}")
string(REPLACE "<!-- scripts -->" "<script>\n${engine}</script>\n<script>\n${script}</script>" page "${page}")
file(WRITE ${OUTPUT} "${page}")
