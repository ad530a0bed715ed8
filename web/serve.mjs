// Serves the built page from one folder on 127.0.0.1 only, with the types and headers it needs.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, resolve, sep } from 'node:path';
import { pathToFileURL } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm', '.svg': 'image/svg+xml',
  '.png': 'image/png', '.webmanifest': 'application/manifest+json',
};

export function startServer(folder, port = 0) {
  const root = resolve(folder);
  const server = createServer(async (request, response) => {
    try {
      const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
      const file = resolve(join(root, path.endsWith('/') ? `${path}index.html` : path));
      const type = types[extname(file)];
      if (!file.startsWith(root + sep) || !type) throw new Error('not served');
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': type, 'Cache-Control': 'no-cache', 'X-Content-Type-Options': 'nosniff',
        'Content-Security-Policy': "frame-ancestors 'none'",
      });
      response.end(request.method === 'HEAD' ? undefined : body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' });
      response.end('見つかりません');
    }
  });
  return new Promise((done) => server.listen(port, '127.0.0.1', () => done(server)));
}

if (process.argv[1] && import.meta.url === pathToFileURL(process.argv[1]).href) {
  const server = await startServer(process.argv[2] ?? 'web/dist', Number(process.env.PORT ?? 8080));
  console.log(`Vesmer: http://127.0.0.1:${server.address().port}/ (Ctrl+C で終了)`);
}
