// A static file server on 127.0.0.1 for the site folder, as any web server
// would serve it: files by path, the types a browser needs to compile the
// WebAssembly while it downloads and to read the manifest, nothing else.
import { createReadStream } from "node:fs";
import { stat } from "node:fs/promises";
import { createServer } from "node:http";
import { extname, join, normalize, sep } from "node:path";

const TYPES = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".mjs": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".wasm": "application/wasm",
    ".webmanifest": "application/manifest+json",
    ".json": "application/json",
    ".ttf": "font/ttf",
    ".woff2": "font/woff2",
    ".png": "image/png",
    ".svg": "image/svg+xml",
    ".ico": "image/x-icon",
};

// Serves `root`; resolves to { url, requests, missing, close } once
// listening. Every request's path is kept in `requests`, and those that found
// no file in `missing`, so that a test can see what the page fetched.
export async function serve(root) {
    const requests = [];
    const missing = [];
    const server = createServer(async (request, response) => {
        const path = decodeURIComponent(new URL(request.url, "http://127.0.0.1").pathname);
        requests.push(path);
        let file = normalize(join(root, path));
        if (file !== root && !file.startsWith(root.endsWith(sep) ? root : root + sep)) {
            response.writeHead(403).end();
            return;
        }
        try {
            if ((await stat(file)).isDirectory()) {
                file = join(file, "index.html");
            }
            const size = (await stat(file)).size;
            response.writeHead(200, {
                "Content-Type": TYPES[extname(file)] ?? "application/octet-stream",
                "Content-Length": size,
                "Cache-Control": "no-store",
            });
            createReadStream(file).pipe(response);
        } catch {
            missing.push(path);
            response.writeHead(404).end();
        }
    });
    await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
    const url = `http://127.0.0.1:${server.address().port}/`;
    return {
        url,
        requests,
        missing,
        close: () => new Promise((resolve) => {
            server.closeAllConnections?.();
            server.close(resolve);
        }),
    };
}
