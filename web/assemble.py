#!/usr/bin/python3
"""One page from its parts: the styles, the logo, the scripts (the
engine's first) and the notices of the libraries built into the engine take
the places the page marks for them.
    assemble.py PAGE_DIR ENGINE_JS LOGO OUTPUT [NOTICE_FILE...]"""
import base64
import html
import os
import sys

page_dir, engine, logo, output = sys.argv[1:5]
notices = sys.argv[5:]
read = lambda name: open(name, encoding="utf-8").read()
page = read(f"{page_dir}/page.html")
picture = base64.b64encode(open(logo, "rb").read()).decode()
page = page.replace("<!-- styles -->", "<style>\n" + read(f"{page_dir}/page.css") + "</style>")
page = page.replace("<!-- pictures -->", f'<script>window.kaldoraLogo = "data:image/jpeg;base64,{picture}";</script>')
page = page.replace("<!-- scripts -->", "<script>\n" + read(engine) + "</script>\n<script>\n" +
                    read(f"{page_dir}/page.js") + "</script>")
page = page.replace("<!-- notices -->", html.escape("\n\n".join(read(n) for n in notices)))
with open(output + ".part", "w", encoding="utf-8") as out:
    out.write(page)

os.replace(output + ".part", output)
