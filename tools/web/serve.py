#!/usr/bin/env python3
"""Serves a folder on 127.0.0.1 with the two headers that isolate a page from other sites, which
the game's threads need (Cross-Origin-Opener-Policy and Cross-Origin-Embedder-Policy), and
prints the page's address once it is listening. With --no-isolation it sends neither, as most
static hosts do, and the page's worker has to isolate the page itself.

    serve.py [--no-isolation] <folder> [port]    (port 0, the default, takes any free port)
"""
import argparse
import functools
import http.server


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.js': 'text/javascript', '.wasm': 'application/wasm',
                      '.webmanifest': 'application/manifest+json'}
    isolating = True

    def end_headers(self):
        if self.isolating:
            self.send_header('Cross-Origin-Opener-Policy', 'same-origin')
            self.send_header('Cross-Origin-Embedder-Policy', 'require-corp')
        self.send_header('Cache-Control', 'no-cache')
        super().end_headers()

    def log_message(self, *args):
        pass


class PlainHandler(SiteHandler):
    isolating = False


def main():
    parser = argparse.ArgumentParser(description='Serves the page on 127.0.0.1.')
    parser.add_argument('--no-isolation', action='store_true',
                        help='send no isolating headers')
    parser.add_argument('folder')
    parser.add_argument('port', type=int, nargs='?', default=0)
    options = parser.parse_args()
    handler = functools.partial(PlainHandler if options.no_isolation else SiteHandler,
                                directory=options.folder)
    with http.server.ThreadingHTTPServer(('127.0.0.1', options.port), handler) as server:
        print(f'http://127.0.0.1:{server.server_address[1]}/', flush=True)
        server.serve_forever()


if __name__ == '__main__':
    main()
